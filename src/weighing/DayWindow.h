#pragma once

#include "report/DaySummary.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// The day at a glance (F9): each route's morning and evening receipts so far, the day's totals
// per milk type, and the routes with a vehicle that have not yet delivered. Read once when it
// opens; Esc closes it.
class DayWindow : public QDialog {
    Q_OBJECT
public:
    explicit DayWindow(QWidget* parent = nullptr);

    void show(const report::DaySummary& summary);

private:
    QLabel* m_title;
    QTableWidget* m_routes;
    QTableWidget* m_milkTypes;
    QTableWidget* m_pending;
};
