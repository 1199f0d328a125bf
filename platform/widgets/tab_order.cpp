#include "platform/widgets/tab_order.h"

#include <QStackedWidget>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace {

constexpr const char *kTabOrderProperty = "kombrelTabOrder";

void Collect(QWidget &container, std::vector<QWidget *> &chain)
{
    if (auto *pages = qobject_cast<QStackedWidget *>(&container)) {
        for (int i = 0; i < pages->count(); ++i)
            Collect(*pages->widget(i), chain);
        return;
    }
    std::vector<QWidget *> children;
    for (QObject *child : container.children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget != nullptr && !widget->isWindow())
            children.push_back(widget);
    }
    const auto key = [](const QWidget *widget) {
        const int order = TabOrderOf(*widget);
        return order < 0 ? INT_MAX : order;
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](const QWidget *a, const QWidget *b) { return key(a) < key(b); });
    for (QWidget *widget : children) {
        if (qobject_cast<QStackedWidget *>(widget) != nullptr)
            Collect(*widget, chain);
        else if ((widget->focusPolicy() & Qt::TabFocus) != 0)
            chain.push_back(widget);
    }
}

} // namespace

int TabOrderOf(const QWidget &widget)
{
    const QVariant order = widget.property(kTabOrderProperty);
    return order.isValid() ? order.toInt() : -1;
}

void SetTabOrderOf(QWidget &widget, int order)
{
    widget.setProperty(kTabOrderProperty, order);
}

std::vector<QWidget *> TabChain(QWidget &container)
{
    std::vector<QWidget *> chain;
    Collect(container, chain);
    return chain;
}

void ApplyTabChain(QWidget &window)
{
    const std::vector<QWidget *> chain = TabChain(window);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
