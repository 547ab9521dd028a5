#include "platform/windows/Rectangle.h"

#include <QPainter>
#include <QWidget>

namespace {

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(const RectangleProperties& properties) : m_properties(properties) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor::fromRgb(m_properties.FillColor));
        const int border = m_properties.BorderWidth;
        if (border <= 0)
            return;
        const QColor grey(0x80, 0x80, 0x80);
        const QColor topLeft = isEnabled() ? QColor::fromRgb(m_properties.TopLeftColor) : grey;
        const QColor bottomRight = isEnabled() ? QColor::fromRgb(m_properties.BottomRightColor) : grey;
        painter.fillRect(0, 0, width(), border, topLeft);
        painter.fillRect(0, 0, border, height(), topLeft);
        painter.fillRect(0, height() - border, width(), border, bottomRight);
        painter.fillRect(width() - border, 0, border, height(), bottomRight);
    }

private:
    const RectangleProperties& m_properties;
};

} // namespace

Rectangle::Rectangle(Window& window, const std::string& name)
    : RectControl(window, name, new FrameWidget(m_properties))
{
}

void Rectangle::SetProperties(const RectangleProperties& p)
{
    m_properties = p;
    applyLayout(p.Control);
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->update();
}
