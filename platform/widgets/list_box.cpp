#include "platform/widgets/list_box.h"

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/exceptions.h"
#include "platform/widgets/event_dispatch.h"
#include "platform/widgets/qt_text.h"

namespace {

// The item's bytes, kept exactly; the display role holds their Unicode form
// for Qt's own uses (keyboard search, accessibility).
constexpr int kBytesRole = Qt::UserRole;

QListWidget &List(QWidget *widget)
{
    return *static_cast<QListWidget *>(widget);
}

QListWidgetItem *NewItem(const std::string &text)
{
    auto *item = new QListWidgetItem(ToQString(text));
    item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    return item;
}

// Prepares the colours and font of each item, lets the list draw it, and
// draws the focus rectangle after.
class ItemPainter : public QStyledItemDelegate {
public:
    ItemPainter(TListBox &list, QObject *parent) : QStyledItemDelegate(parent), list_(list) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const bool focused = (option.state & QStyle::State_HasFocus) != 0;
        const QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) == 0 ? QPalette::Disabled
                                           : (option.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                                                        : QPalette::Inactive;
        const QColor brush = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        const QRect &r = option.rect;

        painter->save();
        painter->setClipRect(r);
        painter->setFont(option.font);
        TCanvas canvas(*painter, brush.rgba(), text.rgba());
        list_.DrawItem(canvas, index.row(), TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()},
                       TOwnerDrawState{selected, focused});
        if (focused) {
            painter->setPen(QPen(text, 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return QSize(option.rect.width(), list_.ItemHeight());
    }

private:
    TListBox &list_;
};

} // namespace

// Marks a change made by the program, not the user: no OnClick for it.
class TListBox::QuietChange {
public:
    explicit QuietChange(TListBox &list) : list_(list) { ++list_.quiet_; }
    ~QuietChange() { --list_.quiet_; }
    QuietChange(const QuietChange &) = delete;
    QuietChange &operator=(const QuietChange &) = delete;

private:
    TListBox &list_;
};

TListBox::TListBox(TWinControl &parent, std::string name) : TControl(std::move(name), new QListWidget, &parent)
{
    QListWidget &list = List(Handle());
    list.setItemDelegate(new ItemPainter(*this, &list));
    list.setUniformItemSizes(true);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    ApplySelectionMode();
    QObject::connect(&list, &QListWidget::itemSelectionChanged, &list, [this] {
        if (quiet_ == 0)
            Dispatch(OnClick, static_cast<TComponent &>(*this));
    });
}

int TListBox::TItems::Count() const
{
    return List(list_.Handle()).count();
}

void TListBox::TItems::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw Exception("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

std::string TListBox::TItems::operator[](int index) const
{
    CheckIndex(index, Count());
    const QByteArray bytes = List(list_.Handle()).item(index)->data(kBytesRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TListBox::TItems::Add(const std::string &text)
{
    Insert(Count(), text);
}

void TListBox::TItems::Insert(int index, const std::string &text)
{
    CheckIndex(index, Count() + 1);
    QuietChange quiet(list_);
    List(list_.Handle()).insertItem(index, NewItem(text));
}

void TListBox::TItems::Put(int index, const std::string &text)
{
    CheckIndex(index, Count());
    QuietChange quiet(list_);
    Delete(index);
    Insert(index, text);
}

void TListBox::TItems::Delete(int index)
{
    CheckIndex(index, Count());
    QuietChange quiet(list_);
    delete List(list_.Handle()).takeItem(index);
}

void TListBox::TItems::Clear()
{
    QuietChange quiet(list_);
    List(list_.Handle()).clear();
}

bool TListBox::Selected(int index) const
{
    Items.CheckIndex(index, Items.Count());
    return List(Handle()).item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool selected)
{
    Items.CheckIndex(index, Items.Count());
    QuietChange quiet(*this);
    List(Handle()).item(index)->setSelected(selected);
}

int TListBox::SelCount() const
{
    return static_cast<int>(List(Handle()).selectedItems().size());
}

void TListBox::SetStyle(TListBoxStyle style)
{
    style_ = style;
    Handle()->update();
}

void TListBox::SetItemHeight(int height)
{
    itemHeight_ = height;
    // Uniform item sizes are cached; a new delegate size asks anew.
    List(Handle()).doItemsLayout();
}

void TListBox::SetMultiSelect(bool multiSelect)
{
    multiSelect_ = multiSelect;
    ApplySelectionMode();
}

void TListBox::SetExtendedSelect(bool extendedSelect)
{
    extendedSelect_ = extendedSelect;
    ApplySelectionMode();
}

void TListBox::ApplySelectionMode()
{
    QListWidget &list = List(Handle());
    if (!multiSelect_)
        list.setSelectionMode(QAbstractItemView::SingleSelection);
    else if (extendedSelect_)
        list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    else
        list.setSelectionMode(QAbstractItemView::MultiSelection);
}

void TListBox::DrawItem(TCanvas &canvas, int index, const TRect &rect, TOwnerDrawState state)
{
    canvas_ = &canvas;
    if (style_ == lbOwnerDrawFixed && OnDrawItem) {
        DispatchWhilePainting(OnDrawItem, *this, index, rect, state);
    } else {
        DispatchWhilePainting([&] {
            canvas.FillRect(rect);
            canvas.TextOut(rect.Left + 2, rect.Top, Items[index]);
        });
    }
    canvas_ = &idleCanvas_;
}
