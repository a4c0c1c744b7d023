#include "announcer.h"

#include <QAccessible>
#include <QAccessibleObject>

namespace quillmere::platform {
namespace {

class AnnouncerAccessible final : public QAccessibleObject {
public:
    explicit AnnouncerAccessible(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(object()->parent()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<const Announcer*>(object())->text() : QString();
    }
};

} // namespace

Announcer::Announcer(QObject* window) : QObject(window)
{
    QAccessible::registerAccessibleInterface(new AnnouncerAccessible(this));
}

void Announcer::announce(const QString& text)
{
    text_ = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(parent(), text);
    QAccessible::updateAccessibility(&announcement);
#else
    // A reader keeps the name it last read of an object until it is told
    // the name changed; without that, it would speak the first outcome again.
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace quillmere::platform
