#include "platform/windows/Canvas.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(const PicturePtr& backdrop) : m_backdrop(backdrop) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        // The canvas has no background of its own: what lies below it (a frame's fill, the
        // window) shows through transparent pixels.
        QPainter painter(this);
        painter.setClipRect(event->rect());
        if (m_backdrop)
            painter.drawImage(QPoint(0, 0), m_backdrop->Image());
    }

private:
    const PicturePtr& m_backdrop;
};

} // namespace

Canvas::Canvas(Window& window, const std::string& name)
    : RectControl(window, name, new CanvasWidget(m_backdrop))
{
}

void Canvas::SetProperties(const CanvasProperties& p)
{
    applyLayout(p.Control);
    Widget()->setFocusPolicy(p.AcceptFocus ? Qt::StrongFocus : Qt::NoFocus);
}

void Canvas::Backdrop(PicturePtr picture)
{
    m_backdrop = std::move(picture);
    Widget()->update();
}
