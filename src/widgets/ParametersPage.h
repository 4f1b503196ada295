#pragma once

// Step 1, the parameters of the mix: its name, the number of components, their names, grain
// densities and (optionally) prices, and the way into the component database.

#include "widgets/StepPage.h"

class ChoiceBox;
class Desktop;
class InputTableView;
class QLineEdit;
class QPushButton;

class ParametersPage final : public StepPage
{
    Q_OBJECT

public:
    ParametersPage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;
    void entered() override;

signals:
    // "Использовать модуль загрузки данных из базы"
    void databaseRequested();

private:
    QLineEdit *m_name;
    ChoiceBox *m_count;
    InputTableView *m_names;
    InputTableView *m_densities;
    QLabel *m_densityError;
    InputTableView *m_prices;
    QLabel *m_priceError;
};
