// The desk in the operator's language: the translation sources complete, every window's texts
// translated and fitting their controls, and a receipt from sign-in to Add by the keyboard with
// the messages in the chosen language. The desk's locale is Hindi (set by the test's run).

#include "Installation.h"
#include "KeyboardDrive.h"
#include "WeighingWindow.h"
#include "datastore/GenState.h"
#include "platform/Language.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <memory>

using namespace keyboard;

namespace {
const QDate kToday(2024, 3, 5);
const QString kVillageInDevanagari = QString::fromUtf8("रामपुर");

bool hasDevanagari(const QString& text)
{
    return text.contains(QRegularExpression(QStringLiteral("[\\x{0900}-\\x{097F}]")));
}

// Whether a text still reads as English: a word of two Latin letters or more that is none of
// the names kept as they are in every language (keys, units, file kinds).
bool readsAsEnglish(QString text)
{
    static const QRegularExpression kept(
        QStringLiteral("\\b(F\\d+|Esc|Enter|Alt|[Kk]g|[Kk]m|PDF|CSV|ODBC|TCP|ESC/"
                       "POS|AM|PM|Tarvolen)\\b|%\\d|\\(&.\\)"));
    text.remove(kept);
    return !hasDevanagari(text) && text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}")));
}

QSet<QString> placeholders(const QString& text)
{
    QSet<QString> found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text))
        found << match.captured();
    return found;
}

// "A" of "&Add": the Alt key a text gives its control ("" when none).
QString accelerator(const QString& text)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(?<!&)&([^&\\s])")).match(text);
    return match.hasMatch() ? match.captured(1).toUpper() : QString();
}

struct Entry {
    QString context, source, translation;
    bool finished = false;
};

QList<Entry> readTranslations(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file));
    QList<Entry> entries;
    QString context;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            entries.append({context, {}, {}, false});
        } else if (xml.name() == u"source" && !entries.isEmpty()) {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !entries.isEmpty()) {
            entries.last().finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            entries.last().translation =
                xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(file), qPrintable(xml.errorString()));
    return entries;
}

// A text as drawn: without its accelerator's "&".
QString drawn(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("&(?!&)")), QString());
}

// The room a control's text needs and has, in pixels; what does not fit is a fault named by
// window, control and language.
void measure(QWidget* control, const QString& where, QStringList* faults)
{
    const QFontMetrics metrics(control->font());
    const auto check = [&](const QString& text, int needed, int room) {
        if (needed > room)
            *faults << QStringLiteral("%1 %2 \"%3\": needs %4 px, has %5")
                           .arg(where, control->objectName(), text)
                           .arg(needed)
                           .arg(room);
    };
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText)
            return;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        if (label->wordWrap())
            check(text, metrics.boundingRect(room, Qt::TextWordWrap, text).height(), room.height());
        else
            check(text, metrics.horizontalAdvance(drawn(text)), room.width());
        // The marks above and below a line of Devanagari need more height than Latin letters.
        if (!label->wordWrap())
            check(text, metrics.tightBoundingRect(drawn(text)).height(), room.height());
    } else if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
        auto* box = static_cast<QAbstractButton*>(control);
        check(box->text(), box->sizeHint().width(), box->width());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        if (!button->text().isEmpty())
            check(button->text(), metrics.horizontalAdvance(drawn(button->text())) + margin,
                  button->width());
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        check(group->title(), metrics.horizontalAdvance(drawn(group->title())), group->width());
    } else if (auto* grid = qobject_cast<QTableWidget*>(control)) {
        const QHeaderView* header = grid->horizontalHeader();
        if (header->isHidden())
            return;
        const QFontMetrics headerMetrics(header->font());
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QTableWidgetItem* item = grid->horizontalHeaderItem(column);
            const bool stretched =
                column == grid->columnCount() - 1 && header->stretchLastSection();
            if (item && !header->isSectionHidden(column) && !stretched)
                check(item->text(), headerMetrics.horizontalAdvance(item->text()) + 2 * margin,
                      header->sectionSize(column));
        }
    }
}

// The texts of a control that the operator reads as the program's own words.
QStringList ownTexts(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return {label->text()};
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return {button->text()};
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return {group->title()};
    QStringList headings;
    if (auto* grid = qobject_cast<QTableWidget*>(control))
        for (int column = 0; column < grid->columnCount(); ++column)
            if (const QTableWidgetItem* item = grid->horizontalHeaderItem(column))
                headings << item->text();
    return headings;
}

// Controls that show what the operator or the database gave, not the program's words.
bool isData(const QWidget* control)
{
    static const QStringList data{"lblWeight", "lblStored",      "lblRoute",   "lblVName",
                                  "lblDay",    "lblWeightShown", "lblScaleNow"};
    return data.contains(control->objectName());
}
} // namespace

class LanguagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { wireWeighingWindow(); }
    void cleanup()
    {
        closeDeskWindows(m_desk);
        m_signIn.reset();
        m_env.reset();
        m_faults.clear();
        platform::useLanguage(platform::kEnglish);
    }

    void translationSourcesComplete_data();
    void translationSourcesComplete();
    void receiptInLanguage_data();
    void receiptInLanguage();

private:
    // Every visible control of a window, looked at in the language spoken now.
    void audit(QWidget* window, const QString& language);

    std::unique_ptr<testkit::TestEnv> m_env;
    std::unique_ptr<frm_Gen_Pass> m_signIn;
    QPointer<frm_Data> m_desk;
    QStringList m_faults;
};

void LanguagesTest::audit(QWidget* window, const QString& language)
{
    QVERIFY(window);
    const QString where = QStringLiteral("%1 (%2)").arg(window->objectName(), language);
    const bool english = language == QLatin1String(platform::kEnglish);
    if (!english && readsAsEnglish(window->windowTitle()))
        m_faults << QStringLiteral("%1 title \"%2\" is not translated")
                        .arg(where, window->windowTitle());
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (!control->isVisibleTo(window) || isData(control))
            continue;
        measure(control, where, &m_faults);
        for (const QString& text : ownTexts(control))
            if (!english && readsAsEnglish(text))
                m_faults << QStringLiteral("%1 %2 \"%3\" is not translated")
                                .arg(where, control->objectName(), text);
    }
}

void LanguagesTest::translationSourcesComplete_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("Hindi") << "hi";
    QTest::newRow("Marathi") << "mr";
}

// Every text has a finished translation in the language's script that keeps the source's
// placeholders (a lost %1 would drop a figure from a message) and Alt keys.
void LanguagesTest::translationSourcesComplete()
{
    QFETCH(QString, language);
    const QString file =
        qEnvironmentVariable("TARVOLEN_TRANSLATION_SOURCES") + "/tarvolen_" + language + ".ts";
    QStringList faults;
    const QList<Entry> entries = readTranslations(file);
    QVERIFY(entries.size() > 100);
    const QRegularExpression devanagariDigits(QStringLiteral("[\\x{0966}-\\x{096F}]"));
    for (const Entry& entry : entries) {
        const QString name = entry.context + " \"" + entry.source + "\"";
        const QString in = " in \"" + entry.translation + "\"";
        if (!entry.finished || entry.translation.isEmpty())
            faults << name + ": no translation";
        else if (readsAsEnglish(entry.source) && !hasDevanagari(entry.translation))
            faults << name + ": not in Devanagari" + in;
        else if (placeholders(entry.source) != placeholders(entry.translation))
            faults << name + ": placeholders differ" + in;
        else if (accelerator(entry.source) != accelerator(entry.translation))
            faults << name + ": the Alt key differs" + in;
        else if (entry.translation.contains(devanagariDigits))
            faults << name + ": Devanagari digits" + in;
    }
    for (const QString& fault : faults)
        qWarning("%s", qPrintable(fault));
    QVERIFY2(faults.isEmpty(), "the texts above are not translated as they must be");
}

void LanguagesTest::receiptInLanguage_data()
{
    QTest::addColumn<QString>("userLanguage");
    QTest::addColumn<QString>("windowsLanguage");
    QTest::newRow("Hindi desk, Hindi user") << "hi"
                                            << "hi";
    QTest::newRow("Hindi desk, Marathi user") << "mr"
                                              << "mr";
    QTest::newRow("Hindi desk, user without a language") << ""
                                                         << "hi";
    QTest::newRow("Hindi desk, English user") << "en"
                                              << "en";
}

// Sign-in speaks the desk's locale, the company window on the user's language; a receipt of a
// village named in Devanagari (found by its name in the lookup), weighed and added, with every
// window looked at on the way.
void LanguagesTest::receiptInLanguage()
{
    QFETCH(QString, userLanguage);
    QFETCH(QString, windowsLanguage);
    m_env = std::make_unique<testkit::TestEnv>();
    QCOMPARE(admin::initInstallation({m_env->programDir(), m_env->dataRoot(), true, false, kToday}),
             QString());
    m_env->setClock(QDateTime(kToday, QTime(9, 0, 0)));
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--weights", "47.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.lineAfter("listening ").isEmpty(), kWait);
    const QString root = m_env->dataRoot();
    QCOMPARE(admin::writeStation({root, "DAIRY1", 2, 2, 1, 9600, "127.0.0.1", scale.tcpPort()}),
             QString());
    const QString db = m_env->companyFile(admin::latestDbMst(root, "DAIRY1"));
    testkit::TestEnv::exec(db,
                           "UPDATE Mast_Villages SET VName = ? WHERE RtRefNo = 1 AND "
                           "VCode = '12'",
                           {kVillageInDevanagari});
    testkit::TestEnv::exec(m_env->mainFile(),
                           "INSERT INTO Tv_Users (UName, Lang) VALUES ('operator', ?) ON "
                           "CONFLICT (UName) DO UPDATE SET Lang = excluded.Lang",
                           {userLanguage.isEmpty() ? QVariant() : QVariant(userLanguage)});

    QCOMPARE(platform::useLocaleLanguage(), QString("hi"));
    m_signIn = std::make_unique<frm_Gen_Pass>();
    QVERIFY(m_signIn->load());
    m_signIn->show();
    audit(m_signIn.get(), "hi");
    QVERIFY(keysTo("txtPass", "whey"));
    QCOMPARE(m_env->messageTexts(),
             QStringList{QCoreApplication::translate("frm_Gen_Pass", "Wrong Pass Word")});
    QVERIFY(hasDevanagari(m_env->messageTexts().constFirst()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(keysTo("txtPass", "milk"));
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != m_signIn.get());
    QCOMPARE(platform::languageInUse(), windowsLanguage);
    audit(QApplication::activeWindow(), windowsLanguage);
    QVERIFY(keysTo("fgLIst"));
    QTRY_VERIFY(qobject_cast<frm_Dates*>(QApplication::activeWindow()));
    audit(QApplication::activeWindow(), windowsLanguage);
    QVERIFY(fieldsInTurn({{"dtpDate", ""}, {"cmbAP", ""}}));
    QVERIFY(m_desk = deskAfter(m_signIn.get()));
    QVERIFY(truckFields());
    audit(m_desk, windowsLanguage);

    // The village by the first letters of its Devanagari name, typed into the name field: the
    // lookup opens on its name box and picks it.
    QVERIFY(keysTo("txtVCode", {}, Qt::Key_Tab));
    QTRY_COMPARE(focusName(), QString("txtVName"));
    for (const QChar letter : kVillageInDevanagari.left(3)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QTRY_COMPARE(focusName(), QString("txtItemName"));
    }
    audit(m_desk->findChild<QWidget*>("fmVill"), windowsLanguage);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(m_desk->findChild<QLineEdit*>("txtVName")->text(), kVillageInDevanagari);
    QCOMPARE(m_desk->findChild<QLineEdit*>("txtVCode")->text(), QString("12"));
    m_env->messages.clear();
    QVERIFY(
        fieldsInTurn({{"txtVName", ""}, {"cmbAnimal", ""}, {"cmbMilkType", ""}, {"txtCans", "2"}}));
    QTRY_COMPARE(focusName(), QString("cmdWeight"));

    // The supervisor's dialogs and the day's figures, looked at and left with Esc.
    for (const Qt::Key key : {Qt::Key_F6, Qt::Key_F7, Qt::Key_F9}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QWidget* dialog = nullptr;
        QTRY_VERIFY((dialog = QApplication::activeWindow()) && dialog != m_desk);
        audit(dialog, windowsLanguage);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(QApplication::activeWindow(), m_desk.data());
    }
    QVERIFY(keysTo("cmdWeight"));
    QTRY_COMPARE_WITH_TIMEOUT(m_desk->findChild<QLineEdit*>("txtWeight")->text(), QString("47.5"),
                              kWait);
    QVERIFY(keysTo("cmdAdd"));
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(testkit::TestEnv::scalar(db, "SELECT v.VName || ' ' || d.MWeight FROM Data_Wght d "
                                          "JOIN Mast_Villages v ON v.VRefNo = d.VRefNo ORDER BY "
                                          "d.RefNo DESC LIMIT 1")
                 .toString(),
             kVillageInDevanagari + " 47.5");
    QCOMPARE(m_env->messageTexts(),
             QStringList{QCoreApplication::translate("frm_Data", "Successfully Added")});
    QCOMPARE(hasDevanagari(m_env->messageTexts().constFirst()), windowsLanguage != "en");
    audit(m_desk, windowsLanguage); // the running totals and the status line, filled
    for (const QString& fault : m_faults)
        qWarning("%s", qPrintable(fault));
    QVERIFY2(m_faults.isEmpty(), "the texts above are untranslated or cut");
}

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
