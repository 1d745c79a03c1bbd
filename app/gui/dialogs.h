// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialogs: year and month (YearMonthDialog), display mode (DisplayDialog) and search
// mode (SearchDialog), and the About box (AboutDialog). On OK each checks its fields in the
// framework's exchange order: the first bad one shows its message, takes the focus, and nothing is
// stored.
#pragma once

#include "app_state.h"
#include "dialog_fields.h"

#include <QCoreApplication>
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

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
    // The box's object name is name.
    QLineEdit* numberField(double& target, const FieldRule& rule, const char* name,
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
    // The year and month: as given, and as typed once the dialog is accepted.
    const WhenFields& fields() const { return when; }

  private:
    WhenFields when;
};

class DisplayDialog : public ExchangeDialog {
    Q_OBJECT

  public:
    // With places (the gazetteer's owner), a field beside the city list chooses a place by name:
    // it fills in the typed place's position and height.
    DisplayDialog(QWidget* parent, const DisplayFields& initial, const CityTable& cities,
                  ValidationReporter reporter = messageBoxReporter(), AppState* places = nullptr);
    // The settings: as given, and as changed once the dialog is accepted.
    const DisplayFields& fields() const { return display; }
    // The place chosen by name, unless none was.
    const std::optional<ObserverPlace>& chosenPlace() const { return namedPlace; }

  protected:
    void exchangeChoices() override;

  private:
    void addTextFields(AppState* places);
    void addChoices();
    QGroupBox* rangeBox();
    QGroupBox* settingsBox();
    QGroupBox* observingPlaceBox(AppState* places);
    QWidget* modesBox(AppState* places);
    void addPlaceField(QGroupBox& box, AppState& places);

    DisplayFields display;
    std::optional<ObserverPlace> namedPlace;
    QButtonGroup *modeGroup, *rangeGroup, *placeGroup;
    QCheckBox *gridBox, *kmlBox, *vectorBaseMapBox, *mercatorBox, *bandBox, *fillPathBox,
        *durationBox, *northUpBox, *trueLimitsBox, *ndotBox;
    QComboBox* legendList;      // the legend: on the regional maps, always, never
    QComboBox* deltaTModelList; // in the order of DeltaTModel
    QComboBox* cityList;
    QLineEdit *magnificationEdit, *centreLonEdit, *centreLatEdit, *tableLonEdit, *tableStepEdit,
        *drawStepEdit, *heightEdit, *lonEdit, *latEdit, *deltaTEdit, *solarRadiusEdit;
};

class SearchDialog : public ExchangeDialog {
    Q_OBJECT

  public:
    // The start-year button opens the year/month dialog on the view's year and month (or those
    // chosen before).
    SearchDialog(QWidget* parent, const ModeFields& initial, const CityTable& cities,
                 const ViewSettings& view, ValidationReporter reporter = messageBoxReporter());
    // The settings: as given, and as changed once the dialog is accepted.
    const ModeFields& fields() const { return mode; }

  protected:
    void exchangeChoices() override;

  private:
    void addTextFields();
    void addLists(const CityTable& cities, bool englishNames);
    QLayout* typeRows();
    QLayout* placeRows();
    QWidget* modesBox();
    QPushButton* startButton(const ViewSettings& view, ValidationReporter reporter);

    ModeFields mode;
    QButtonGroup *modeGroup, *placeGroup;
    QComboBox *cityList, *typeList, *seenList, *whenList;
    QLineEdit *sarosEdit, *lonEdit, *latEdit, *heightEdit, *magnitudeEdit, *typePastEdit,
        *placePastEdit, *probabilityEdit, *whenFromEdit, *whenToEdit;
};

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace vesk
