// SPDX-License-Identifier: GPL-3.0-or-later
// A field in which the user types a place's name and picks it from the gazetteer's places that
// begin so (names in the window's language first; country and region tell places of one name
// apart). Choosing one, by the list or by Return on a name that means one place, sends it.
#pragma once

#include "app_state.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QStringListModel>

#include <functional>
#include <vector>

namespace vesk {

class PlaceField : public QLineEdit {
    Q_DECLARE_TR_FUNCTIONS(PlaceField)
  public:
    explicit PlaceField(AppState& state, QWidget* parent = nullptr);

    std::function<void(const GazetteerPlace& place)> placeChosen;
    // A name that means no place or several: what to tell the user.
    std::function<void(const QString& why)> placeRefused;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The places beginning with the text, into the completion list.
    void offer(const QString& text);
    // The place of a label of the list, or of a name.
    void choose(const QString& text);
    void accept(const GazetteerPlace& place);
    void refuse(const QString& why);

    AppState& state;
    QStringListModel* labels;
    std::vector<std::uint32_t> offered; // the places of the labels, in order
    QString chosenLabel;                // the label of the place chosen last
};

// The most places the completion list offers.
constexpr std::size_t offeredPlaces = 12;

} // namespace vesk
