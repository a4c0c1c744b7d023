#pragma once

#include <QObject>
#include <QString>

namespace quillmere::platform {

// Has a screen reader speak a sentence at once, wherever the focus is, and
// leaves the focus there. Qt 6.4 has no announcement event, and a changed
// name or description reaches AT-SPI without its text; what a reader does
// speak straight away is a notification appearing. So the sentence is such a
// notification: an accessible object of the window's with nothing on screen.
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
