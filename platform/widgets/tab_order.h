// The Tab key's order, kept per parent as on the form's tables and linked into
// Qt's one focus chain per window. Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_TAB_ORDER_H
#define KOMBREL_PLATFORM_WIDGETS_TAB_ORDER_H

#include <vector>

class QWidget;

// The tab order given to a widget; -1 when none was given.
int TabOrderOf(const QWidget &widget);
void SetTabOrderOf(QWidget &widget, int order);

// The tab stops inside `container` in the order the Tab key visits them:
// siblings by tab order (those without one last, in creation order), a
// notebook's pages in page order with their controls in place of the notebook.
std::vector<QWidget *> TabChain(QWidget &container);

// Links the tab stops of `window` into Qt's focus chain in TabChain's order.
void ApplyTabChain(QWidget &window);

#endif
