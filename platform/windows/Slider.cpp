#include "platform/windows/Slider.h"

#include "platform/runtime/RunHandler.h"

#include <QSlider>

Slider::Slider(Window& window, const std::string& name)
    : RectControl(window, name, new QSlider(Qt::Horizontal)), m_slider(static_cast<QSlider*>(Widget()))
{
    QObject::connect(m_slider, &QSlider::valueChanged, m_slider, [this](int) {
        if (ValueChanged)
            RunHandler([this] { ValueChanged(*this); });
    });
}

void Slider::SetProperties(const SliderProperties& p)
{
    applyLayout(p.Control);
    m_slider->setRange(p.Minimum, p.Maximum);
    m_slider->setValue(p.Value);
    m_slider->setSingleStep(p.LineStep);
    m_slider->setPageStep(p.PageStep);
    m_slider->setTracking(p.LiveScroll);
    m_slider->setTickPosition(p.TickStyle == 0 ? QSlider::NoTicks : QSlider::TicksBelow);
}

int Slider::Value() const { return m_slider->value(); }
void Slider::Value(int value) { m_slider->setValue(value); }
int Slider::Minimum() const { return m_slider->minimum(); }
int Slider::Maximum() const { return m_slider->maximum(); }
int Slider::LineStep() const { return m_slider->singleStep(); }
int Slider::PageStep() const { return m_slider->pageStep(); }
bool Slider::LiveScroll() const { return m_slider->hasTracking(); }
