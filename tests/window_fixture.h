#pragma once

#include "window/frmquillmere.h"

#include <QTest>

#include <memory>

namespace quillmere::testing {

// A fresh window for every test function, shown and active.
class WindowFixture {
protected:
    bool openWindow()
    {
        window = std::make_unique<FrmQuillmere>();
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename Control = QWidget>
    Control* control(const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    std::unique_ptr<FrmQuillmere> window;
};

} // namespace quillmere::testing
