#pragma once

#include <QWidget>

#include "series/chart_figure.h"

namespace kordex::app {

// Paints one chart figure, scaled to the widget's width and never beyond its own size, the
// same figure the page writes as SVG. Hovering a point or column shows its tip.
class ChartView : public QWidget {
    Q_OBJECT
  public:
    explicit ChartView(QWidget* parent = nullptr);

    void SetFigure(ChartFigure figure);
    const ChartFigure& Figure() const { return figure_; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    double Scale() const;

    ChartFigure figure_;
};

}  // namespace kordex::app
