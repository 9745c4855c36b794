#pragma once

#include "formkit/Combos.h"

#include <QDate>
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class frm_Dates;
}

namespace formkit {
class FieldEvents;
}

class frm_Dates;

// Opens the weighing window on the date and shift chosen here. This window is still open when
// the function runs and closes itself after it returns.
using OpenWeighingWindow = std::function<void(const QDate& date, formkit::Shift shift)>;

// The date and shift dialog: the collection date, checked against the accounting year and
// the working date, and the shift (Gen_AmPm).
class frm_Dates : public QWidget {
    Q_OBJECT
public:
    explicit frm_Dates(QWidget* parent = nullptr);
    ~frm_Dates() override;

    // Who opens the weighing window on OK; the program's start sets it.
    static void setOpenWeighingWindow(OpenWeighingWindow open);

    void load();

public slots:
    void cmdOk_Click();
    void cmdExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmbAP_Click();

    std::unique_ptr<Ui::frm_Dates> ui;
    formkit::FieldEvents* m_fields = nullptr;
    bool m_opening = false; // the weighing window is loading and reads this window's date
};
