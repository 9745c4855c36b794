#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class frm_Gen_Pass;
}
namespace formkit {
class FieldEvents;
}
class A_Start;

// The sign-in window, the program's first: its load starts the data store and offers the
// remembered user; OK checks name and password against Pass and opens the company window.
class frm_Gen_Pass : public QWidget {
    Q_OBJECT
public:
    explicit frm_Gen_Pass(QWidget* parent = nullptr);
    ~frm_Gen_Pass() override;

    // False when the start-up failed and the program is ending.
    bool load();

    // The company window once sign-in has succeeded, else null.
    A_Start* companyWindow() const { return m_start; }

public slots:
    void cmdOk_Click();
    void cmdCan_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void offerUser();
    void openCompanyWindow();
    static void speakUsersLanguage(const QString& code);

    std::unique_ptr<Ui::frm_Gen_Pass> ui;
    formkit::FieldEvents* m_fields = nullptr;
    A_Start* m_start = nullptr;
};
