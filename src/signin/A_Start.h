#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class A_Start;
}
namespace formkit {
class FieldEvents;
}

// The company and year window: lists the companies of the main database; OK makes the chosen
// company's latest year the working year and opens the date and shift dialog.
class A_Start : public QWidget {
    Q_OBJECT
public:
    explicit A_Start(QWidget* parent = nullptr);
    ~A_Start() override;

    // False when the main database could not be opened and the program is ending.
    bool load();

public slots:
    void cmdOk_Click();
    void cmdExit_Click();

signals:
    // The window is done: a company was chosen (the date dialog is already showing) or the
    // window was closed without a choice.
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Load_Company();
    void Design();

    std::unique_ptr<Ui::A_Start> ui;
    formkit::FieldEvents* m_fields = nullptr;
    bool m_choosing = false;
};
