#include "platform/widgets/notebook.h"

#include <QStackedWidget>

namespace {

QStackedWidget &Pages(QWidget *widget)
{
    return *static_cast<QStackedWidget *>(widget);
}

} // namespace

TNotebookPage::TNotebookPage(QWidget &notebook, std::string caption)
    : TWinControl(std::move(caption), new QWidget, nullptr)
{
    Pages(&notebook).addWidget(Handle());
}

TNotebook::TNotebook(TWinControl &parent, std::string name, const std::vector<std::string> &pageCaptions)
    : TControl(std::move(name), new QStackedWidget, &parent)
{
    for (const std::string &caption : pageCaptions)
        pages_.push_back(std::make_unique<TNotebookPage>(*Handle(), caption));
}

// The pages go before the notebook's own widget; their controls, declared
// after the notebook, have gone before them.
TNotebook::~TNotebook() = default;

int TNotebook::PageIndex() const
{
    return Pages(Handle()).currentIndex();
}

void TNotebook::SetPageIndex(int index)
{
    if (index < 0 || index >= PageCount() || index == PageIndex())
        return;
    Pages(Handle()).setCurrentIndex(index);
}

const std::string &TNotebook::ActivePage() const
{
    return pages_.at(static_cast<std::size_t>(PageIndex()))->Caption();
}
