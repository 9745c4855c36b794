#pragma once

// A weighing desk in a temporary folder, and its weighing window loaded on a date and shift
// as the date dialog hands them over.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "weighing/VillageLookup.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace windowtest {

const QDate kDay(2024, 3, 5);
const QString kAdded = "Successfully Added";

// Picks a village as the lookup panel does when its row is taken; ref 0 is the pick of an
// empty list, which leaves no village chosen.
inline void pickVillage(QWidget* window, int ref, const QString& code = {},
                        const QString& name = {})
{
    auto* lookup = window->findChild<VillageLookup*>(QStringLiteral("fmVill"));
    if (!lookup)
        qFatal("no village lookup");
    emit lookup->picked(datastore::Village{ref, code, name, 0}, false);
}

struct Desk {
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
    // Route 1 "North" and its village 17 "V17" Hillside, which fillEntry picks.
    void addRouteAndVillage() const
    {
        addRoute(1, "North");
        addVillage(17, "V17", "Hillside", 1);
    }
    void addRoute(int ref, const QString& name, int inactive = 0) const
    {
        exec("INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (?, ?, ?)",
             {ref, name, inactive});
    }
    void addVehicle(int route, int fromDay, int toDay, const QString& vehicle) const
    {
        exec("INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES (?, ?, ?, ?)",
             {route, QDate(2024, 3, fromDay).toString(Qt::ISODate),
              QDate(2024, 3, toDay).toString(Qt::ISODate), vehicle});
    }
    void addVillage(int ref, const QString& code, const QString& name, int route,
                    const QVariant& inactive = 0) const
    {
        exec("INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) "
             "VALUES (?, ?, ?, ?, ?)",
             {ref, code, name, route, inactive});
    }
    void addReceipt(int refNo, int shift, int route, int village, int dlySlNo, double weight,
                    int cans = 1, int animalAndMilk = 1) const
    {
        exec("INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, DlySlNo, "
             "CansRecd, MWeight, Uid, UName, Stat) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, '', 0)",
             {refNo, kDay.toString(Qt::ISODate), shift, route, village, animalAndMilk,
              animalAndMilk, dlySlNo, cans, weight});
    }

    void open(const QDate& date = kDay, int shift = 2)
    {
        Gen_AmPm = shift;
        window = std::make_unique<frm_Data>();
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the weighing window did not become active");
        loaded = window->Form_Load(date, formkit::Shift(shift));
    }

    // Village 17 picked, the cans typed, and the weight unless none is given.
    void fillEntry(const QString& cans, const QString& weight = {}) const
    {
        pickVillage(window.get(), 17, "V17", "Hillside");
        box("txtCans")->setText(cans);
        if (!weight.isNull())
            box("txtWeight")->setText(weight);
    }
    void pressAdd() const
    {
        QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);
        QApplication::processEvents();
    }
    int receipts() const
    {
        return testkit::TestEnv::scalar(db(), "SELECT COUNT(*) FROM Data_Wght").toInt();
    }
    // The shift's receipts grid, a row as its cells joined by '|'.
    QStringList gridRows() const
    {
        auto* grid = field<QTableWidget>("fgLIst");
        QStringList rows;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c)
                cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
            rows << cells.join('|');
        }
        return rows;
    }

    template <typename T = QWidget> T* field(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const QString& name) const { return field<QLineEdit>(name); }
    QString focused() const { return QApplication::focusWidget()->objectName(); }

    testkit::TestEnv env;
    std::unique_ptr<frm_Data> window;
    bool loaded = false;
};

} // namespace windowtest
