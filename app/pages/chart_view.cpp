#include "pages/chart_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace kordex::app {

namespace {

QColor ToColor(const Rgb& colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QPointF ToPoint(const ChartPoint& point) {
    return {point.x, point.y};
}

void PaintLabel(QPainter& painter, const ChartLabel& label) {
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(std::lround(label.size)));
    font.setBold(label.bold);
    painter.setFont(font);
    painter.setPen(ToColor(label.colour));
    const QString text = QString::fromStdString(label.text);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    double x = label.at.x;
    if (label.anchor == TextAnchor::Middle)
        x -= width / 2;
    else if (label.anchor == TextAnchor::End)
        x -= width;
    painter.drawText(QPointF(x, label.at.y), text);
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setMouseTracking(true);
}

void ChartView::SetFigure(ChartFigure figure) {
    figure_ = std::move(figure);
    updateGeometry();
    update();
}

QSize ChartView::sizeHint() const {
    return {static_cast<int>(figure_.width), static_cast<int>(figure_.height)};
}

int ChartView::heightForWidth(int width) const {
    if (figure_.width <= 0)
        return 0;
    return static_cast<int>(std::ceil(figure_.height * std::min(1.0, width / figure_.width)));
}

double ChartView::Scale() const {
    if (figure_.width <= 0 || figure_.height <= 0)
        return 1;
    return std::min({1.0, width() / figure_.width, height() / figure_.height});
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.scale(Scale(), Scale());

    for (const ChartBox& box : figure_.boxes) {
        painter.setPen(box.outline ? QPen(ToColor(*box.outline)) : QPen(Qt::NoPen));
        painter.setBrush(ToColor(box.fill));
        painter.drawRect(QRectF(box.x, box.y, box.width, box.height));
    }
    for (const ChartLine& line : figure_.lines) {
        QPen pen(ToColor(line.colour), line.width);
        if (line.dashed)
            pen.setDashPattern({6 / line.width, 4 / line.width});
        painter.setPen(pen);
        painter.drawLine(ToPoint(line.from), ToPoint(line.to));
    }
    painter.setBrush(Qt::NoBrush);
    for (const ChartPath& path : figure_.paths) {
        painter.setPen(QPen(ToColor(path.colour), path.width));
        QPolygonF polygon;
        for (const ChartPoint& point : path.points)
            polygon << ToPoint(point);
        painter.drawPolyline(polygon);
    }
    painter.setPen(QColor(90, 90, 90));
    for (const ChartDot& dot : figure_.dots) {
        painter.setBrush(ToColor(dot.fill));
        painter.drawEllipse(ToPoint(dot.centre), dot.radius, dot.radius);
    }
    for (const ChartLabel& label : figure_.labels)
        PaintLabel(painter, label);
}

bool ChartView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QPointF at = QPointF(help->pos()) / Scale();
    std::string tip;
    for (const ChartDot& dot : figure_.dots) {
        if (std::hypot(at.x() - dot.centre.x, at.y() - dot.centre.y) <= dot.radius + 3)
            tip = dot.tip;
    }
    for (const ChartBox& box : figure_.boxes) {
        if (tip.empty() && QRectF(box.x, box.y, box.width, box.height).contains(at))
            tip = box.tip;
    }
    if (tip.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
    return true;
}

}  // namespace kordex::app
