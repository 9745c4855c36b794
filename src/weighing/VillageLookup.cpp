#include "VillageLookup.h"

#include "ui_VillageLookup.h"

#include "CompanyWork.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/GridLayout.h"
#include "formkit/KeyFilters.h"
#include "formkit/PasteRules.h"
#include "formkit/TextRules.h"

#include <QApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <cmath>

using datastore::Village;

namespace {
constexpr int kCodeColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kRefColumn = 2;
constexpr int kRouteColumn = 3;

constexpr int twips(int value)
{
    return (value + 7) / 15;
}
// The list's record selector on the left is as wide as the strip's extra 300 twips, so the
// strip's captions stand over their columns.
constexpr int kSelectorTwips = 300;
constexpr int kCodeTwips = 880;
constexpr int kNameTwips = 3000;
// The panel opens at the top of the weighing window, over its right-hand part.
constexpr int kPanelLeftTwips = 6650;

const QColor kLookupTeal{0, 192, 192};
const QString kStripLayout = QStringLiteral("^VILL. CODE   |^VILLAGE NAME           |   ");
[[maybe_unused]] const char* const kStripHeadings[] = {
    QT_TRANSLATE_NOOP("VillageLookup", "VILL. CODE"),
    QT_TRANSLATE_NOOP("VillageLookup", "VILLAGE NAME")};

// The list shows a blank record selector, as wide as the strip's extra width.
class VillageListRows : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return QVariant();
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
};

// A reference read from the list names a village only when it is a whole positive number.
bool isVillageRef(double ref)
{
    return ref > 0 && ref <= double(std::numeric_limits<qint32>::max()) && std::floor(ref) == ref;
}

} // namespace

VillageLookup::VillageLookup(QWidget* parent)
    : QFrame(parent), ui(std::make_unique<Ui::VillageLookup>()),
      m_fields(new formkit::FieldEvents(this)), m_villages(new QSqlQueryModel(this)),
      m_panelLeft(twips(kPanelLeftTwips))
{
    ui->setupUi(this);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, kLookupTeal);
    setPalette(teal);
    setAutoFillBackground(true);
    wireList();
    wireKeys();
    hide();
}

VillageLookup::~VillageLookup() = default;

void VillageLookup::wireList()
{
    auto* rows = new VillageListRows(this);
    rows->setSourceModel(m_villages);
    QTableView* const list = ui->dbList;
    list->setModel(rows);
    list->horizontalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setFixedWidth(twips(kSelectorTwips));
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTabKeyNavigation(false);
    list->setWordWrap(false);

    QTableWidget* const strip = ui->fgDgn;
    strip->setRowCount(0);
    strip->setColumnCount(3);
    strip->verticalHeader()->hide();
    strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formkit::applyGridLayout(strip, kStripLayout, "VillageLookup");
    strip->setColumnWidth(0, twips(kCodeTwips + kSelectorTwips));
    strip->setColumnWidth(1, twips(kNameTwips));
    strip->horizontalHeader()->setStretchLastSection(true);
    strip->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    strip->horizontalHeader()->setFixedHeight(strip->height() - 2 * strip->frameWidth());
}

void VillageLookup::wireKeys()
{
    Ui::VillageLookup* const f = ui.get();
    connect(f->txtItemCode, &QLineEdit::textChanged, this,
            [this](const QString& text) { search(QStringLiteral("VCode"), text); });
    connect(f->txtItemName, &QLineEdit::textChanged, this,
            [this](const QString& text) { search(QStringLiteral("VName"), text); });

    const auto pickOnEnter = formkit::enterRuns([this] { cmdOk_Click(); });
    formkit::FieldHandlers code;
    code.keyDown = [f](int keyCode) {
        if (keyCode != formkit::kKeyDown)
            return false;
        f->txtItemName->setFocus(Qt::OtherFocusReason);
        return true;
    };
    code.keyPress = pickOnEnter;
    m_fields->on(f->txtItemCode, code);

    formkit::FieldHandlers name;
    name.keyDown = [f](int keyCode) {
        if (keyCode != formkit::kKeyDown)
            return false;
        QAbstractItemModel* list = f->dbList->model();
        if (list->rowCount() > 0) {
            f->dbList->setCurrentIndex(list->index(0, kNameColumn));
            formkit::Next_Focus(f->dbList);
        }
        return true;
    };
    name.keyPress = pickOnEnter;
    m_fields->on(f->txtItemName, name);

    formkit::FieldHandlers list;
    list.keyPress = pickOnEnter;
    m_fields->on(f->dbList, list);

    // Operators press Enter on a focused button as well as Space.
    for (QPushButton* button : {f->cmdOk, f->cmdCan}) {
        formkit::FieldHandlers pressed;
        pressed.keyPress = formkit::enterRuns([button] { button->click(); });
        m_fields->on(button, pressed);
    }
    connect(f->cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(f->cmdCan, &QPushButton::clicked, this, [this] { cmdCan_Click(); });
}

void VillageLookup::watchField(QLineEdit* field, From from,
                               std::function<std::optional<int>()> route)
{
    m_watched.insert(field, Watched{from, std::move(route)});
    field->installEventFilter(this);
}

void VillageLookup::open(From from, const QString& text, std::optional<int> route)
{
    m_route = route;
    {
        // Emptying both boxes is one step; the list is queried once, for the typed text.
        const QSignalBlocker codeQuiet(ui->txtItemCode);
        const QSignalBlocker nameQuiet(ui->txtItemName);
        ui->txtItemCode->clear();
        ui->txtItemName->clear();
    }
    m_from = from;
    fmVill_Visible();
    QLineEdit* box = from == FromCode ? ui->txtItemCode : ui->txtItemName;
    box->setFocus(Qt::OtherFocusReason);
    box->setText(text);
    box->setCursorPosition(int(box->text().size()));
}

void VillageLookup::fmVill_Visible()
{
    move(m_panelLeft, 0);
    show();
    raise();
}

void VillageLookup::search(const QString& field, const QString& text)
{
    m_searchField = field;
    m_searchText = text;
    Load_Items();
}

void VillageLookup::Load_Items()
{
    if (!m_route || !m_work) {
        m_villages->clear();
        return;
    }
    const int route = *m_route;
    const QString field = m_searchField;
    const QString typed = m_searchText;
    m_work->read<QSqlQuery>(
        [=](datastore::Connection& con) {
            return datastore::searchVillages(con, route, field, typed);
        },
        [this](QSqlQuery villages) { showVillages(std::move(villages)); },
        [this] { m_villages->clear(); }, &m_con);
}

void VillageLookup::showVillages(QSqlQuery&& villages)
{
    m_villages->setQuery(std::move(villages));
    while (m_villages->canFetchMore())
        m_villages->fetchMore();

    QTableView* const list = ui->dbList;
    // The name column stretches to the list's edge (a little short of its 3000 twips once the
    // record selector has taken its place) instead of scrolling out of sight.
    list->setColumnWidth(kCodeColumn, twips(kCodeTwips));
    list->setColumnHidden(kRefColumn, true);
    list->setColumnHidden(kRouteColumn, true);
    // As the bound list did, the first village is the current one, so Enter picks it.
    if (list->model()->rowCount() > 0)
        list->setCurrentIndex(list->model()->index(0, kCodeColumn));
}

void VillageLookup::cmdOk_Click()
{
    const QModelIndex current = ui->dbList->currentIndex();
    if (!current.isValid() || !m_work) {
        emit picked(Village(), false);
        return;
    }
    // The village is read again by its reference: the row as stored now, not the list's text.
    const double ref = formkit::numericValue(
        m_villages->data(m_villages->index(current.row(), kRefColumn)).toString());
    if (!isVillageRef(ref)) {
        pick(Village());
        return;
    }
    m_work->read<std::optional<Village>>(
        [ref](datastore::Connection& con) { return datastore::villageByRef(con, qint64(ref)); },
        [this](const std::optional<Village>& village) { pick(village.value_or(Village())); },
        [this] { pick(Village()); });
}

void VillageLookup::pick(const Village& village)
{
    // The window takes the focus back before the panel hides, so that it never passes through
    // a field whose own focus handling would hold it.
    emit picked(village, true);
    hide();
}

void VillageLookup::cmdCan_Click()
{
    emit cancelled();
    hide();
}

bool VillageLookup::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = m_watched.constFind(watched);
    if (found == m_watched.constEnd() || event->type() != QEvent::KeyPress)
        return false;
    // Keys in the village code or name open the panel instead of editing it.
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = villagesearch::openingText(*key);
    if (text.isEmpty()) {
        // A key held with Alt is an access key or nothing; it neither opens nor types.
        return (key->modifiers() & Qt::AltModifier) && !key->text().isEmpty();
    }
    const Watched opener = found.value();
    open(opener.from, text, opener.route());
    return true;
}

void VillageLookup::usePasteGuard(formkit::PasteGuard* guard)
{
    // A paste or drop into the village code or name opens the panel with it; one into a search
    // box goes in as typing would have entered it.
    for (auto watched = m_watched.constBegin(); watched != m_watched.constEnd(); ++watched) {
        const Watched opener = watched.value();
        guard->redirect(static_cast<QLineEdit*>(watched.key()),
                        [this, opener](const QString& text) { openWithPaste(opener, text); });
    }
    for (QLineEdit* box : {ui->txtItemCode, ui->txtItemName})
        guard->redirect(box, [this, box](const QString& text) { pasteIntoSearchBox(box, text); });
}

QString VillageLookup::captionOf(const QLineEdit* box) const
{
    return box == ui->txtItemCode ? ui->lblItemCode->text() : ui->lblItemName->text();
}

void VillageLookup::openWithPaste(const Watched& opener, const QString& pasted)
{
    if (pasted.isEmpty())
        return;
    const QLineEdit* box = opener.from == FromCode ? ui->txtItemCode : ui->txtItemName;
    const auto check =
        villagesearch::checkPaste(pasted, captionOf(box), kSearchLimit, kSearchLimit);
    emit notice(check.refusal);
    if (check.refusal.isEmpty())
        open(opener.from, check.text, opener.route());
}

void VillageLookup::pasteIntoSearchBox(QLineEdit* box, const QString& pasted)
{
    if (pasted.isEmpty())
        return;
    const int roomLeft =
        box->maxLength() - int(box->text().size()) + int(box->selectedText().size());
    const auto check =
        villagesearch::checkPaste(pasted, captionOf(box), roomLeft, box->maxLength());
    emit notice(check.refusal);
    if (check.refusal.isEmpty())
        box->insert(check.text);
}
