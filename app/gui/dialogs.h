// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialogs: year and month (YearMonthDialog), display mode (DisplayDialog) and search
// mode (SearchDialog), and the About box (AboutDialog). On OK each checks its fields in the
// framework's exchange order: the first bad one shows its message, takes the focus, and nothing is
// stored.
#pragma once

#include "app_state.h"
#include "view_commands.h"

#include <QCoreApplication>
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vesk {

// Shows a validation message (a message box in the window; tests capture it).
using ValidationReporter = std::function<void(QWidget* parent, const QString& message)>;
ValidationReporter messageBoxReporter();

// A refused field's message in the window's language, its bounds filled in.
QString fieldErrorText(const FieldError& error);

// A dialog whose text fields are exchanged with numbers in a fixed order.
class ExchangeDialog : public QDialog {
    Q_OBJECT

  public:
    ExchangeDialog(QWidget* parent, const QString& title, ValidationReporter reporter);
    void accept() override;

  protected:
    // A text box exchanged with target under rule, in the order of the calls. With whenEmpty, an
    // empty box is accepted and target takes whenEmpty(), asked once every other field is in.
    QLineEdit* numberField(double& target, const FieldRule& rule,
                           std::function<double()> whenEmpty = {});
    // Runs before the checks of the text fields (radio groups and lists exchange first).
    virtual void exchangeChoices() {}

  private:
    struct Field {
        QLineEdit* edit;
        double* target;
        FieldRule rule;
        std::function<double()> whenEmpty;
    };
    std::vector<Field> fields;
    ValidationReporter reporter;
};

class YearMonthDialog : public ExchangeDialog {
    Q_OBJECT

  public:
    YearMonthDialog(QWidget* parent, const WhenFields& initial,
                    ValidationReporter reporter = messageBoxReporter());
    WhenFields fields;
    QLineEdit *yearEdit = nullptr, *monthEdit = nullptr;
};

class DisplayDialog : public ExchangeDialog {
    Q_OBJECT

  public:
    // A choice in the city list stores its row into cityIndex at once. With places (the
    // gazetteer's owner), a field beside the city list chooses a place by name: it fills in the
    // typed place's position and height and keeps the place in chosenPlace.
    DisplayDialog(QWidget* parent, const DisplayFields& initial, const CityTable& cities,
                  std::optional<int>& cityIndex, ValidationReporter reporter = messageBoxReporter(),
                  AppState* places = nullptr);
    DisplayFields fields;
    std::optional<ObserverPlace> chosenPlace;
    QButtonGroup *modeGroup, *rangeGroup, *placeGroup;
    QCheckBox *gridBox, *kmlBox, *vectorBaseMapBox, *mercatorBox, *bandBox, *fillPathBox,
        *durationBox, *northUpBox, *trueLimitsBox, *ndotBox;
    QComboBox* legendList;      // the legend: on the regional maps, always, never
    QComboBox* deltaTModelList; // in the order of DeltaTModel
    QComboBox* cityList;
    QLineEdit *magnificationEdit, *centreLonEdit, *centreLatEdit, *tableLonEdit, *tableStepEdit,
        *drawStepEdit, *heightEdit, *lonEdit, *latEdit, *deltaTEdit, *solarRadiusEdit;

  protected:
    void exchangeChoices() override;

  private:
    void addPlaceField(QGroupBox& box, AppState& places);
};

class SearchDialog : public ExchangeDialog {
    Q_OBJECT

  public:
    // The city list stores into cityIndex and the type list into pendingType at once; the
    // start-year button opens the year/month dialog on view.
    SearchDialog(QWidget* parent, const ModeFields& initial, const CityTable& cities,
                 std::optional<int>& cityIndex, int& pendingType, ViewSettings& view,
                 ValidationReporter reporter = messageBoxReporter());
    ModeFields fields;
    QButtonGroup *modeGroup, *placeGroup;
    QComboBox *cityList, *typeList, *seenList, *whenList;
    QLineEdit *sarosEdit, *lonEdit, *latEdit, *heightEdit, *magnitudeEdit, *typePastEdit,
        *placePastEdit, *probabilityEdit, *whenFromEdit, *whenToEdit;

  protected:
    void exchangeChoices() override;
};

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace vesk
