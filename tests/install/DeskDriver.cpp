// A Qt plugin that a test loads into the installed desk (QT_QPA_GENERIC_PLUGINS=deskdriver), so
// that the program under test is the installed binary itself, unchanged. It reports on standard
// output what the operator would see, answers message boxes with OK, and signs in with the
// password in TARVOLEN_DRIVER_PASSWORD once the sign-in window is up:
//   message TITLE|TEXT     a message box, then pressed OK
//   offered NAME           the user name the sign-in window offers
//   window A_Start ROWS    the company window opened, with its rows; the driver then ends the desk
#include <QApplication>
#include <QGenericPlugin>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr std::chrono::milliseconds kLookEvery{50};

void report(const QString& line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

QWidget* visibleWindow(const char* name)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == QLatin1String(name))
            return window;
    return nullptr;
}

void pressEnter(QWidget* target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

QString companyRows(QWidget* window)
{
    const auto* list = window->findChild<QTableWidget*>(QStringLiteral("fgLIst"));
    QStringList rows;
    for (int row = 0; list && row < list->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells << (list->item(row, column) ? list->item(row, column)->text() : QString());
        rows << cells.join(QLatin1Char(','));
    }
    return rows.join(QLatin1Char(';'));
}

class Driver : public QObject {
public:
    Driver()
    {
        connect(&m_timer, &QTimer::timeout, this, &Driver::look);
        m_timer.start(kLookEvery);
    }

private:
    void look()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                report(QStringLiteral("message %1|%2").arg(box->windowTitle(), box->text()));
                box->button(QMessageBox::Ok)->click();
                return;
            }
        }
        if (QWidget* start = visibleWindow("A_Start")) {
            report(QStringLiteral("window A_Start %1").arg(companyRows(start)));
            std::_Exit(0);
        }
        QWidget* signIn = visibleWindow("frm_Gen_Pass");
        if (!signIn || m_signedIn)
            return;
        m_signedIn = true;
        report(QStringLiteral("offered %1")
                   .arg(signIn->findChild<QLineEdit*>(QStringLiteral("txtUser"))->text()));
        auto* password = signIn->findChild<QLineEdit*>(QStringLiteral("txtPass"));
        password->setText(qEnvironmentVariable("TARVOLEN_DRIVER_PASSWORD"));
        pressEnter(password);
    }

    QTimer m_timer;
    bool m_signedIn = false;
};
} // namespace

class DeskDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "deskdriver.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("deskdriver"), Qt::CaseInsensitive) == 0 ? new Driver
                                                                                  : nullptr;
    }
};

#include "DeskDriver.moc"
