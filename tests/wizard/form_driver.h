// Drives the form as a user would on the offscreen platform: mouse clicks on
// the real buttons and list items, keys typed into the real edits. The form
// must be shown for input to reach it.
#ifndef KOMBREL_TESTS_WIZARD_FORM_DRIVER_H
#define KOMBREL_TESTS_WIZARD_FORM_DRIVER_H

#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <string>
#include <vector>

#include "platform/widgets/buttons.h"
#include "platform/widgets/edits.h"
#include "platform/widgets/list_box.h"
#include "tests/wizard/recording_device.h"

namespace wizard_testing {

// A click in the middle of a button or radio button; a disabled one ignores it.
inline void Press(TControl &button)
{
    QTest::mouseClick(button.Handle(), Qt::LeftButton);
}

inline void Type(TEdit &edit, const std::string &text)
{
    QTest::keyClicks(edit.Handle(), QString::fromStdString(text));
}

inline void ClickItem(TListBox &list, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    auto &qt = *static_cast<QListWidget *>(list.Handle());
    QTest::mouseClick(qt.viewport(), Qt::LeftButton, modifiers, qt.visualItemRect(qt.item(index)).center());
}

inline std::vector<std::string> ItemsOf(const TListBox &list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.Items.Count(); ++i)
        items.push_back(list.Items[i]);
    return items;
}

inline std::vector<bool> SelectionOf(const TListBox &list)
{
    std::vector<bool> selected;
    for (int i = 0; i < list.Items.Count(); ++i)
        selected.push_back(list.Selected(i));
    return selected;
}

// What the list's drawing writes for item `index` within `rect`, on a canvas
// prepared with the given brush and text colours.
struct DrawnItem {
    std::vector<FilledRect> fills;
    QString text; // every run joined
    QPointF start; // baseline point of the first run
    QColor textColour;
};

inline DrawnItem DrawItemOf(TListBox &list, int index, const TRect &rect, QColor brush = Qt::white,
                            QColor text = Qt::black)
{
    RecordingDevice device;
    {
        QPainter painter(&device);
        painter.setFont(list.Handle()->font());
        TCanvas canvas(painter, brush.rgba(), text.rgba());
        list.DrawItem(canvas, index, rect, TOwnerDrawState{});
    }
    DrawnItem drawn{device.engine.fills, device.engine.Written(), {}, {}};
    if (!device.engine.texts.empty()) {
        drawn.start = device.engine.texts.front().baseline;
        drawn.textColour = device.engine.texts.front().colour;
    }
    return drawn;
}

} // namespace wizard_testing

#endif
