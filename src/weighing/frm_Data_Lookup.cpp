#include "frm_Data.h"

#include "VillageSearch.h"
#include "ui_frm_Data.h"

#include "datastore/Connection.h"
#include "datastore/NullFields.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/GridLayout.h"
#include "formkit/KeyFilters.h"
#include "formkit/TextRules.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QSignalBlocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

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
// The lookup panel always opens at the top of the window, over its right-hand part.
constexpr int kPanelLeftTwips = 6650;

const QString kStripLayout = QStringLiteral("^VILL. CODE   |^VILLAGE NAME           |   ");

// The list's own connection: it stays open while the list is bound to its query, and is
// opened again when a company-year connection was closed under it.
class VillageListSource : public QObject {
    Q_OBJECT
public:
    explicit VillageListSource(QObject* parent) : QObject(parent) {}
    datastore::Connection con;
};

// The list shows a blank record selector, as wide as the strip's extra width.
class VillageListRows : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return QVariant();
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
};

// The character a key code puts into the search box: letter keys give capitals, the keypad's
// digits give digits, and the codes after them (keypad operators, F1-F11) the letters j to z.
QChar lookupCharacter(int keyCode)
{
    if (keyCode >= 96 && keyCode <= 105)
        keyCode -= 48;
    return QChar(keyCode);
}

bool opensLookup(int keyCode)
{
    return (keyCode >= 48 && keyCode <= 57) || (keyCode >= 65 && keyCode <= 90) ||
           (keyCode >= 96 && keyCode <= 122);
}
} // namespace

void frm_Data::wireLookup()
{
    Ui::frm_Data* const f = ui;
    new VillageListSource(this);

    auto* rows = new VillageListRows(this);
    rows->setSourceModel(m_villages);
    f->dbList->setModel(rows);
    f->dbList->horizontalHeader()->hide();
    f->dbList->horizontalHeader()->setStretchLastSection(true);
    f->dbList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    f->dbList->verticalHeader()->setFixedWidth(twips(kSelectorTwips));
    f->dbList->verticalHeader()->setDefaultSectionSize(f->dbList->fontMetrics().height() + 4);
    f->dbList->setSelectionBehavior(QAbstractItemView::SelectRows);
    f->dbList->setSelectionMode(QAbstractItemView::SingleSelection);
    f->dbList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    f->dbList->setTabKeyNavigation(false);
    f->dbList->setWordWrap(false);

    f->fgDgn->setRowCount(0);
    f->fgDgn->setColumnCount(3);
    f->fgDgn->verticalHeader()->hide();
    f->fgDgn->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    f->fgDgn->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    formkit::applyGridLayout(f->fgDgn, kStripLayout);
    f->fgDgn->setColumnWidth(0, twips(kCodeTwips + kSelectorTwips));
    f->fgDgn->setColumnWidth(1, twips(kNameTwips));
    f->fgDgn->horizontalHeader()->setStretchLastSection(true);
    f->fgDgn->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    f->fgDgn->horizontalHeader()->setFixedHeight(f->fgDgn->height() - 2 * f->fgDgn->frameWidth());

    connect(f->txtItemCode, &QLineEdit::textChanged, this, [this](const QString& text) {
        SearchField = QStringLiteral("VCode");
        SearchLen = qint16(text.size());
        SearchText = text;
        Load_Items();
    });
    connect(f->txtItemName, &QLineEdit::textChanged, this, [this](const QString& text) {
        SearchField = QStringLiteral("VName");
        SearchLen = qint16(text.size());
        SearchText = text;
        Load_Items();
    });

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

    connect(f->cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(f->cmdCan, &QPushButton::clicked, this, [this] { cmdCan_Click(); });
}

bool frm_Data::openLookup(quint8 from, int keyCode)
{
    if (!opensLookup(keyCode))
        return false;
    {
        // Emptying both boxes is one step; the list is queried once, for the typed key.
        const QSignalBlocker codeQuiet(ui->txtItemCode);
        const QSignalBlocker nameQuiet(ui->txtItemName);
        ui->txtItemCode->clear();
        ui->txtItemName->clear();
    }
    VillFrom = from;
    fmVill_Visible();
    QLineEdit* box = from == 1 ? ui->txtItemCode : ui->txtItemName;
    box->setFocus(Qt::OtherFocusReason);
    box->setText(QString(lookupCharacter(keyCode)));
    box->setCursorPosition(int(box->text().size()));
    return true;
}

void frm_Data::fmVill_Visible()
{
    ui->fmVill->move(twips(kPanelLeftTwips), 0);
    ui->fmVill->show();
    ui->fmVill->raise();
}

void frm_Data::Load_Items()
{
    if (ui->cmbRoute->currentIndex() < 0) {
        m_villages->clear();
        return;
    }
    auto* source = findChild<VillageListSource*>(QString(), Qt::FindDirectChildrenOnly);
    if (!source->con.isOpen() && !OpenMst(source->con)) {
        m_villages->clear();
        return;
    }
    QSqlQuery query(source->con.database());
    const bool onServer = source->con.engine() == datastore::Connection::Engine::Server;
    const QString statement = villagesearch::statement(SearchField, onServer);
    bool prepared = query.prepare(statement);
    if (!prepared && onServer) {
        // The server went away (and maybe came back) since the list was last read: the kept
        // connection is gone. A new one, once.
        source->con.close();
        QString unreachable;
        if (datastore::openMstQuietly(source->con, &unreachable)) {
            query = QSqlQuery(source->con.database());
            prepared = query.prepare(statement);
        }
    }
    if (!prepared) {
        m_villages->clear();
        datastore::reportQueryError(query);
        return;
    }
    query.bindValue(QStringLiteral(":route"), selectedKey(ui->cmbRoute));
    query.bindValue(QStringLiteral(":prefix"), villagesearch::likePrefix(SearchText));
    if (!query.exec()) {
        m_villages->clear();
        datastore::reportQueryError(query);
        return;
    }
    m_villages->setQuery(std::move(query));
    // Read to the end: a statement left part-read would hold a read lock on the shared file
    // and keep other desks from committing their receipts.
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

void frm_Data::VSetFocus()
{
    formkit::Next_Focus(ui->txtVCode);
}

void frm_Data::cmdOk_Click()
{
    ui->txtVCode->setText(QString());
    ui->txtVCode->setProperty("Tag", QStringLiteral("0"));
    ui->txtVName->setText(QString());
    const QModelIndex current = ui->dbList->currentIndex();
    if (!current.isValid())
        return;
    const double ref = formkit::numericValue(
        m_villages->data(m_villages->index(current.row(), kRefColumn)).toString());
    if (ref > 0) {
        datastore::Connection con;
        if (OpenMst(con)) {
            {
                QSqlQuery rs =
                    con.run(QStringLiteral("Select * from Mast_Villages Where VRefNo = ") +
                            formkit::plainNumber(ref));
                if (!rs.isActive()) {
                    datastore::reportQueryError(rs);
                } else if (rs.next()) {
                    ui->txtVCode->setText(datastore::Null_Str(rs.value(QStringLiteral("VCode"))));
                    ui->txtVCode->setProperty(
                        "Tag", datastore::Null_Str(rs.value(QStringLiteral("VRefNo"))));
                    ui->txtVName->setText(datastore::Null_Str(rs.value(QStringLiteral("VName"))));
                }
            }
            con.close();
        }
    }
    // The focus goes back before the panel hides, so that it never passes through a field
    // whose own focus handling would hold it.
    if (VillFrom == 1)
        formkit::Next_Focus(ui->txtVCode);
    else if (VillFrom == 2)
        formkit::Next_Focus(ui->txtVName);
    ui->fmVill->hide();
}

void frm_Data::cmdCan_Click()
{
    formkit::Next_Focus(ui->txtVCode);
    ui->fmVill->hide();
}

#include "frm_Data_Lookup.moc"
