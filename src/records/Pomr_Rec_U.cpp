#include "Pomr_Rec_U.h"

#include "BevelPanel.h"
#include "CentreOnScreenOnce.h"
#include "Cp1251.h"
#include "Fonts.h"
#include "OwnerDrawnList.h"
#include "ReaderName.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace pomrola {

namespace {

constexpr QSize ClientSize(246, 402);
constexpr int RowHeight = 18;

OwnerDrawnList* MakeList(QWidget* parent, const char* name, QRect geometry)
{
    auto* list = new OwnerDrawnList(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setFont(PixelFont(QStringLiteral("Times New Roman"), 16, true));
    list->setColours(QColor(0, 0, 255), QColor(255, 255, 0));
    list->setRowHeight(RowHeight);
    list->setEnabled(false);  // no focus, no selection, no clicks
    return list;
}

}  // namespace

TForm2::TForm2(RecordsBook& records, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      records_(records)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QCoreApplication::translate("TForm2", "Рекорды"));
    setFixedSize(ClientSize);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);

    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(QRect(QPoint(0, 0), ClientSize));
    Panel1->setBevels(BevelPanel::Bevel::Lowered, BevelPanel::Bevel::Lowered);

    ListBox1 = MakeList(Panel1, "ListBox1", QRect(2, 2, 146, 398));
    ListBox2 = MakeList(Panel1, "ListBox2", QRect(147, 2, 97, 398));

    FormCreate();
}

void TForm2::FormCreate()
{
    ListBox1->clear();
    ListBox2->clear();
    MatrSortir(records_.table);
    std::int32_t lowest = 0;
    QStringList rows;  // name and score side by side, for a screen reader
    for (const RecordEntry& entry : ShownEntries(records_.table)) {
        ListBox1->addItem(FromCp1251(entry.name));
        ListBox2->addItem(QString::number(entry.score));
        rows.append(ListBox1->items().constLast() + QStringLiteral(" ") + ListBox2->items().constLast());
        lowest = entry.score;
    }
    records_.LowestRecord = lowest;
    SetReaderName(*Panel1, rows.join(u'\n'));
}

void TForm2::showEvent(QShowEvent* event)
{
    CentreOnScreenOnce(*this);
    FormCreate();
    QDialog::showEvent(event);
}

bool TForm2::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormCreate();
    return QDialog::event(event);
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    FormKeyPress(event);
}

void TForm2::FormKeyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        reject();
    else
        event->accept();
}

}  // namespace pomrola
