// A notebook: named pages of which one is shown, with no tabs of its own.
#ifndef KOMBREL_PLATFORM_WIDGETS_NOTEBOOK_H
#define KOMBREL_PLATFORM_WIDGETS_NOTEBOOK_H

#include <memory>
#include <string>
#include <vector>

#include "platform/widgets/controls.h"

// One page; it fills the notebook and parents the controls placed on it.
class TNotebookPage : public TWinControl {
public:
    TNotebookPage(QWidget &notebook, std::string caption);
    const std::string &Caption() const { return Name(); }
};

class TNotebook : public TControl {
public:
    TNotebook(TWinControl &parent, std::string name, const std::vector<std::string> &pageCaptions);
    ~TNotebook() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TNotebookPage &Page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }

    int PageIndex() const;
    // Shows page `index`. A request outside 0 to PageCount() - 1, or for the
    // page already shown, changes nothing.
    void SetPageIndex(int index);
    // Caption of the page shown.
    const std::string &ActivePage() const;

private:
    std::vector<std::unique_ptr<TNotebookPage>> pages_;
};

#endif
