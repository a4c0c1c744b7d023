#pragma once

#include <QObject>
#include <QString>

namespace quillmere::platform {

// Has a screen reader speak a sentence at once, wherever the focus is, and
// leaves the focus there. Qt 6.8 has an announcement event for this. Qt 6.4
// has none, and what a reader does speak straight away there is a
// notification appearing: an accessible object of the window's with nothing
// on screen, which the sentence names.
class Announcer final : public QObject {
public:
    explicit Announcer(QObject* window);

    void announce(const QString& text);
    // The sentence last announced.
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

} // namespace quillmere::platform
