// A list box of byte-string items with per-item selection and owner drawing.
#ifndef KOMBREL_PLATFORM_WIDGETS_LIST_BOX_H
#define KOMBREL_PLATFORM_WIDGETS_LIST_BOX_H

#include <functional>
#include <string>

#include "platform/widgets/canvas.h"
#include "platform/widgets/controls.h"

class TListBox;

enum TListBoxStyle {
    lbStandard,       // the platform writes each item's text
    lbOwnerDrawFixed, // OnDrawItem paints each item; every item is ItemHeight high
};

struct TOwnerDrawState {
    bool Selected = false;
    bool Focused = false; // the item has the keyboard focus
};

// Paints item `Index` within `Rect` on `Control.Canvas()`, whose brush and
// font colour are already those of the item's state. After the handler the
// platform draws the focus rectangle around a focused item.
using TDrawItemEvent =
    std::function<void(TListBox &Control, int Index, const TRect &Rect, TOwnerDrawState State)>;

class TListBox : public TControl {
public:
    // The item texts. Changing them raises no OnClick.
    class TItems {
    public:
        int Count() const;
        // The text of item `index`; raises Exception outside 0 to Count() - 1,
        // as do Put, Delete and (beyond Count()) Insert.
        std::string operator[](int index) const;
        void Add(const std::string &text);
        void Insert(int index, const std::string &text);
        // Replaces the text of item `index` by removing the item and inserting
        // a new one there: the new item is not selected.
        void Put(int index, const std::string &text);
        void Delete(int index);
        void Clear();

    private:
        friend class TListBox;
        explicit TItems(TListBox &list) : list_(list) {}
        void CheckIndex(int index, int limit) const;
        TListBox &list_;
    };

    TListBox(TWinControl &parent, std::string name);

    TItems Items{*this};

    bool Selected(int index) const;
    // Sets one item's selected state; raises no OnClick.
    void SetSelected(int index, bool selected);
    int SelCount() const;

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // MultiSelect lets several items be selected; ExtendedSelect makes a
    // click select one item and Shift and Ctrl extend the selection.
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multiSelect);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool extendedSelect);

    // The canvas of the item being drawn; outside OnDrawItem it draws nothing.
    TCanvas &Canvas() { return *canvas_; }

    // Raised when the user changes the selection, by mouse or keyboard.
    TNotifyEvent OnClick;
    TDrawItemEvent OnDrawItem;

    // For the platform: draws item `index` on `canvas`, through OnDrawItem
    // when the list is owner-drawn.
    void DrawItem(TCanvas &canvas, int index, const TRect &rect, TOwnerDrawState state);

private:
    class QuietChange;
    void ApplySelectionMode();

    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 13;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    int quiet_ = 0; // programmatic changes in progress
    TCanvas idleCanvas_;
    TCanvas *canvas_ = &idleCanvas_;
};

#endif
