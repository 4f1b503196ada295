#include "widgets/ProgramFont.h"

#include <QApplication>
#include <QFont>

void applyProgramFont(QApplication &app)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(9);
    app.setFont(font);
}
