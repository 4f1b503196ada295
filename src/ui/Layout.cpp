#include "ui/Layout.h"

#include "core/Recalculate.h"

#include <cmath>

namespace {

void centreHorizontally(Control &c, int containerWidth)
{
    c.setLeft((containerWidth - c.width()) / 2);
}

} // namespace

void LayoutWindow(MixProject &p, int W, int H)
{
    // 1.
    p.logo.setLeft((W - p.logo.width()) / 2);
    p.logo.setTop((H - p.logo.height()) / 2);
    // 2.
    p.Gradient.setTop(H - p.Gradient.height() + 100);
    p.Gradient.setWidth(W);
    // 3.
    centreHorizontally(p.Head, W);
    // 4.
    p.project_name.setWidth(W - p.project_name.left() - 1520);
    // 5.
    centreHorizontally(p.Command3, W);
    p.Command3.setTop(p.Head.top() + 2 * p.Head.height());
    // 6. Panels 1, 3, 4; the heights of 2 and 5; panel 6; ButOtchet; panel 7.
    auto placePanel = [&](int i) {
        Control &f = p.Forma[i];
        f.setWidth(W);
        if (H - 2400 > f.height())
            f.setTop((H - f.height()) / 2);
        else
            f.setTop(1200);
    };
    placePanel(1);
    placePanel(3);
    placePanel(4);
    for (int i : {2, 5}) {
        p.Forma[i].setWidth(W);
        p.Forma[i].setHeight(H - p.Forma[i].top() - p.Gradient.height() + 200);
    }
    placePanel(6);
    // 7.
    centreHorizontally(p.ButOtchet, p.Forma[6].width());
    placePanel(7);
    // 8.
    centreHorizontally(p.Label_info[1], p.Forma[7].width());
    centreHorizontally(p.Label_info[2], p.Forma[7].width());
    for (int i : {3, 4, 5, 11})
        p.Label_info[i].setLeft(p.Label_info[2].left());
    p.Label_info[12].setLeft(p.Label_info[2].left() + 2040);
    // 9.
    Control &g = p.Graph;
    g.setWidth(W - g.left() - 200);
    g.setHeight(H - g.top() - 2900);
    const int graphBottom = g.top() + g.height();
    p.Legenda.setLeft(g.left() + g.width() - p.Legenda.width());
    p.Legenda.setTop(graphBottom + 20);
    // The logarithmic-scale option keeps clear of the legend: where one line would reach it,
    // its caption takes two.
    const int room = p.Legenda.left() - 150 - p.Log_check.left();
    p.Log_check.setWidth(std::min(LogCheckOneLine, room));
    p.Log_check.setHeight(room >= LogCheckOneLine ? 300 : 480);
    p.Log_check.setTop(graphBottom + 20);
    p.Setka_check.setWidth(std::min(LogCheckOneLine, room));
    p.Setka_check.setTop(p.Log_check.top() + p.Log_check.height());
    // The pointer read-out at the graph's top edge and the divergence under it, both in the
    // margin above the plot: neither covers a curve or an axis label.
    centreHorizontally(p.Koords, g.width());
    p.Koords.setTop(0);
    centreHorizontally(p.Pogreshnost, g.width());
    p.Pogreshnost.setTop(p.Koords.top() + p.Koords.height());
    // 10.
    centreHorizontally(p.Data_type_1, p.Forma[2].width());
    p.Data_type_2.setLeft(p.Data_type_1.left());
    // 11.
    p.Label7.setWidth(W - 2 * p.Label7.left());
    p.Label8.setWidth(W - 2 * p.Label8.left());
    // 12.
    p.ButOpen.setTop(H - p.ButOpen.height() - 200);
    p.ButSave.setTop(H - p.ButSave.height() - 200);
    p.Shape5.setTop(p.ButOpen.top());
    p.Shape6.setTop(p.ButSave.top());
    // 13. The step buttons side by side, and the rule along their lower edge.
    for (int i = 2; i <= 7; ++i)
        p.But[i].setLeft(p.But[i - 1].left() + p.But[i - 1].width());
    int x = 0;
    for (int i = 1; i <= 8; ++i) {
        const Control &b = p.But[std::min(i, 7)];
        const int end = i <= 7 ? b.left() + b.width() : W;
        p.Line_v[i].setLeft(x);
        p.Line_v[i].setTop(b.top() + b.height());
        p.Line_v[i].setWidth(end - x);
        x = end;
    }
    // 14.
    for (int k = 1; k <= 5; ++k)
        p.tabl[k].setWidth(W - 2 * p.tabl[k].left());
    // The explanations and notes of step 4 wrap within the window.
    for (Control *c : {&p.ErrTab5, &p.Label_note})
        c->setWidth(W - 2 * c->left());
    for (int k = 1; k <= 8; ++k)
        p.Label_expl[k].setWidth(W - 2 * p.Label_expl[k].left());
    p.ErrBorder4.setWidth(p.tabl[4].width() + 2 * (p.tabl[4].left() - p.ErrBorder4.left()));
    // 15.
    GridModel &t3 = p.tabl[3];
    t3.setHeight(H - p.Forma[2].top() - t3.top() - 1800);
    p.Label14.setWidth(W - 2 * p.Label14.left());
    p.Label14.setTop(t3.top() + t3.height());
    // 16.
    centreHorizontally(p.Diagramma1, p.Forma[3].width());
    // 17.
    p.ComDelete.setLeft(t3.left() + t3.width() - p.ComDelete.width());
    p.ComPaste.setLeft(p.ComDelete.left() - p.ComPaste.width() + 10);
    p.ComCopy.setLeft(p.ComPaste.left() - p.ComCopy.width() + 10);
    p.ComErrView.setLeft(p.ComCopy.left() - 120 - p.ComErrView.width());
    p.ErrBorder.setLeft(p.ComErrView.left());
    // 18.
    p.PoleError.setWidth(t3.width() - 240);
    p.PoleError.setHeight(t3.height() - 240);
    p.PErr1.setWidth(p.PoleError.width() - 360);
    for (int i = 1; i <= MaxComponents; ++i)
        p.PErrA[i].setWidth(p.PoleError.width() - 360);
    // 19. The plot frame inside the graph's border.
    const int innerWidth = g.width() - 30;
    const int innerHeight = g.height() - 30;
    p.PlotLeft = 500;
    p.PlotRight = float(innerWidth - 500);
    p.PlotTop = 500;
    p.PlotBottom = float(innerHeight - 500);
    // 20.
    Recalculate(p);
}

void ScrollGridByWheel(GridModel &grid, int rotation)
{
    if (grid.rowHeight() <= 0)
        return;
    // 1. Rows that fit below the header, as the classic code counts them.
    float n = std::floor(float(grid.height()) / float(grid.rowHeight()));
    // 2.
    if (n > float(grid.rows()))
        return;
    // 3. Down to the last row that is fully visible.
    while (n > 0 && !grid.rowFullyVisible(grid.topRow() + int(n)))
        n -= 1;
    // 4. and 5.
    int top = grid.topRow();
    if (rotation > 0)
        top = std::max(1, top - int(n));
    else
        top = std::min(grid.rows() - 1, top + int(n));
    grid.setTopRow(top);
}
