#include "platform/qt/qt_controls.h"

#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

using quillmere::platform::ListBoxModel;

class ListBoxModelTest : public QObject {
    Q_OBJECT

private slots:
    void linesShowInTheOrderAppended();
    void aBatchShowsItsRowsInOneInsertion();
    void aBatchEndedByAnErrorStillShowsItsRows();
    void clearEmptiesTheList();
};

void ListBoxModelTest::linesShowInTheOrderAppended()
{
    ListBoxModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (const char* line : {"b", "", "a"})
        model.addItem(line);
    QCOMPARE(inserted.count(), 3);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(0).data().toString(), QStringLiteral("b"));
    QCOMPARE(model.index(1).data().toString(), QString());
    QCOMPARE(model.index(2).data().toString(), QStringLiteral("a"));
    QVERIFY(!model.index(3).isValid());
    QVERIFY(!model.index(-1).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(0, 0, model.index(0)).isValid());
    QVERIFY(!model.index(0).data(Qt::EditRole).isValid());
    QVERIFY(!(model.flags(model.index(0)) & Qt::ItemIsEditable));
}

void ListBoxModelTest::aBatchShowsItsRowsInOneInsertion()
{
    ListBoxModel model;
    model.addItem("before");
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    {
        const ListBoxModel::Batch batch(model);
        for (int line = 0; line < 1000; ++line)
            model.addItem("line");
        QCOMPARE(model.rowCount(), 1);
    }
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 1);
    QCOMPARE(inserted.at(0).at(2).toInt(), 1000);
    QCOMPARE(model.rowCount(), 1001);
}

void ListBoxModelTest::aBatchEndedByAnErrorStillShowsItsRows()
{
    ListBoxModel model;
    try {
        const ListBoxModel::Batch batch(model);
        model.addItem("first");
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data().toString(), QStringLiteral("first"));
}

void ListBoxModelTest::clearEmptiesTheList()
{
    ListBoxModel model;
    model.addItem("old");
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    {
        const ListBoxModel::Batch batch(model);
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(ListBoxModelTest)
#include "list_box_model_test.moc"
