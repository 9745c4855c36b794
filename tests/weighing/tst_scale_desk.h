#pragma once

// The weighing window as the scale links' tests need it: station settings set directly, the
// window shown and active (focus matters) but not loaded, so no database is involved.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "platform/SerialControl.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace scaletest {

struct SerialStation {
    quint8 format = 1;
    quint8 link = 1;
    quint8 port = 1;
    double speed = 9600;
};

class ScaleDesk {
public:
    ScaleDesk()
    {
        window = std::make_unique<frm_Data>();
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the weighing window did not become active");
    }

    void setSerial(const SerialStation& station) const
    {
        Gen_WghtFmt = station.format;
        Gen_ComLan = station.link;
        Gen_ComPortW = station.port;
        Gen_BitsNoW = datastore::Currency::fromDouble(station.speed);
    }
    void setNetwork(quint8 link, const QString& host, const QString& port) const
    {
        Gen_WghtFmt = 2;
        Gen_ComLan = link;
        Gen_LanHostIP = host;
        Gen_LanHostNo = port;
    }

    template <typename T>
    T* field(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString weight() const { return field<QLineEdit>("txtWeight")->text(); }
    QString bigWeight() const { return field<QLabel>("lblWeight")->text(); }
    bool addEnabled() const { return field<QPushButton>("cmdAdd")->isEnabled(); }
    QString focusName() const
    {
        const QWidget* focus = window->focusWidget();
        return focus ? focus->objectName() : QString();
    }
    platform::SerialControl& port() const { return *window->MSComm1; }

    // The serial device for port 1 is the one the configuration folder's com1 names.
    QString com1Link() const { return env.configDir() + "/com1"; }

    testkit::TestEnv env;
    std::unique_ptr<frm_Data> window;
};

} // namespace scaletest
