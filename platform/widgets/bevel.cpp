#include "platform/widgets/bevel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

class BevelWidget : public QWidget {
public:
    BevelWidget()
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    TBevelShape shape = bsBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor shadow = palette().color(QPalette::Dark);
        const QColor highlight = palette().color(QPalette::Light);
        const int right = width() - 1;
        const int bottom = height() - 1;
        if (shape == bsTopLine) {
            painter.setPen(shadow);
            painter.drawLine(0, 0, right, 0);
            painter.setPen(highlight);
            painter.drawLine(0, 1, right, 1);
            return;
        }
        painter.setPen(shadow);
        painter.drawLine(0, 0, right, 0);
        painter.drawLine(0, 0, 0, bottom);
        painter.setPen(highlight);
        painter.drawLine(0, bottom, right, bottom);
        painter.drawLine(right, 0, right, bottom);
    }
};

} // namespace

TBevel::TBevel(TWinControl &parent, std::string name) : TControl(std::move(name), new BevelWidget, &parent) {}

TBevelShape TBevel::Shape() const
{
    return static_cast<BevelWidget *>(Handle())->shape;
}

void TBevel::SetShape(TBevelShape shape)
{
    static_cast<BevelWidget *>(Handle())->shape = shape;
    Handle()->update();
}
