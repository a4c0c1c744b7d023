#pragma once

#include "solver/show_steps.h"

#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include <string>

class QAction;
class QFocusEvent;
class QModelIndex;
class QLineEdit;
class QListView;
class QMessageBox;
class QPushButton;
class QShortcut;

namespace quillmere {

class ScaledLayout;

namespace platform {
class Announcer;
class ListBoxModel;
class RuntimeError;
} // namespace platform

// The program's one window: three labelled entry boxes across the top, the
// list of steps below them and the two buttons along the bottom, all in fixed
// places.
class FrmQuillmere : public QWidget {
    Q_OBJECT

public:
    explicit FrmQuillmere(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createControls();
    QAction* addListCommand(const char* name, const QString& text, QKeySequence::StandardKey key);
    void connectHandlers();
    template <typename Handler>
    void dispatch(Handler&& handler);

    // The handlers. The three entry boxes' Click and GotFocus all do the
    // same, so they share one.
    void cmdStartClick();
    void command1Click();
    void mnuCopyClick();
    void entryBoxEntered(QLineEdit& box);
    void frmKeyDown(int keyCode, int shift);
    void frmUnload();

    void fitToScreen();
    void followScreen();
    void followDefault(QObject* watched, const QFocusEvent& focus, bool focusIn);
    void showReason(const QModelIndex& line);
    void showCurrentReason();

    void report(const platform::RuntimeError& error);
    void showPendingReport();
    void announceCurrentLine();
    void endProgram();
    QLineEdit* entryBox(QObject* control) const;
    QLineEdit* entryBoxLabelled(const std::string& label) const;

    QPushButton* cmdStart;
    QLineEdit* txtJug1Size;
    QLineEdit* txtJug2Size;
    QLineEdit* txtTargetAmount;
    QPushButton* command1;
    QListView* lstSteps;
    platform::ListBoxModel* stepsModel;
    platform::Announcer* announcer;
    QAction* mnuCopy;
    QAction* mnuSelectAll;
    QShortcut* scrollLeft;
    QShortcut* scrollRight;

    ScaledLayout* drawing;
    QMetaObject::Connection screenWatch;

    StepQuantities quantities;
    int heldKey = 0;
    QPointer<QMessageBox> pendingReport;
    QPointer<QLineEdit> boxToMend;
    bool ended = false;
};

} // namespace quillmere
