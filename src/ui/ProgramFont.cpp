#include "ui/ProgramFont.h"

#include <QApplication>
#include <QFont>

void ApplyProgramFont(QApplication &app)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(9);
    app.setFont(font);
}
