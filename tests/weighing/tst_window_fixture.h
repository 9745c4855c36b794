#pragma once

// A weighing desk for the window's tests: an installation in a temporary folder, its masters,
// and the weighing window loaded on a date and shift as the date dialog hands them over.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QDateEdit>
#include <QtTest>
#include <memory>

namespace windowtest {

const QDate kDay(2024, 3, 5);

class Desk {
public:
    Desk()
    {
        env.createInstallation(kDay);
        env.chooseCompany();
        exec("INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')");
        exec("INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')");
    }

    QString db() const { return env.companyFile(); }
    void exec(const QString& sql, const QVariantList& values = {}) const
    {
        testkit::TestEnv::exec(db(), sql, values);
    }

    void addRoute(int ref, const QString& name, int inactive = 0) const
    {
        exec("INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (?, ?, ?)",
             {ref, name, inactive});
    }
    void addVehicle(int route, const QDate& from, const QDate& to, const QString& vehicle) const
    {
        exec("INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES (?, ?, ?, ?)",
             {route, from.toString(Qt::ISODate), to.toString(Qt::ISODate), vehicle});
    }
    // InAct as given; a null QVariant stores null.
    void addVillage(int ref, const QString& code, const QString& name, int route,
                    const QVariant& inactive = 0) const
    {
        exec("INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) VALUES (?, ?, ?, ?, ?)",
             {ref, code, name, route, inactive});
    }
    void addReceipt(int refNo, const QDate& date, int shift, int route, int village, int dlySlNo,
                    const QVariant& cans, const QVariant& weight, int animal = 1, int milk = 1) const
    {
        exec("INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, DlySlNo, "
             "CansRecd, MWeight, Uid, UName, Stat) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 'op', 0)",
             {refNo, date.toString(Qt::ISODate), shift, route, village, animal, milk, dlySlNo, cans,
              weight});
    }
    void setStation(int link, const QString& host = QString(), const QString& port = QString()) const
    {
        exec("INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, ComLan) "
             "VALUES (2, 0, 0, ?, ?, ?)",
             {host.isNull() ? QVariant() : QVariant(host), port.isNull() ? QVariant() : QVariant(port),
              link});
    }

    // Shows the window and runs its load with the date dialog's picker on date.
    frm_Data* open(const QDate& date = kDay, int shift = 2)
    {
        Gen_AmPm = shift;
        window = std::make_unique<frm_Data>();
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the weighing window did not become active");
        QDateEdit picker(date);
        loaded = window->Form_Load(&picker);
        return window.get();
    }

    template <typename T>
    T* field(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QWidget* widget(const char* name) const { return field<QWidget>(name); }

    testkit::TestEnv env;
    std::unique_ptr<frm_Data> window;
    bool loaded = false;
};

} // namespace windowtest
