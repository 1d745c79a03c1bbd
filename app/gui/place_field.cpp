// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_field.h"

#include "typed_coordinates.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>

namespace vesk {

PlaceField::PlaceField(AppState& state, QWidget* parent)
    : QLineEdit(parent), state(state), labels(new QStringListModel(this)) {
    setObjectName(QStringLiteral("placeField"));
    setPlaceholderText(tr("Place name"));
    setClearButtonEnabled(true);
    auto* completer = new QCompleter(labels, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    // the list holds what the gazetteer found; it is not filtered again by the text
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCompleter(completer);
    connect(this, &QLineEdit::textEdited, this, &PlaceField::offer);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            &PlaceField::choose);
}

void PlaceField::keyPressEvent(QKeyEvent* event) {
    // Return chooses the place typed; it does not also press a dialog's default button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (text() != chosenLabel) // not the place just chosen from the list
        choose(text());
}

void PlaceField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void PlaceField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (selectOnRelease && !hasSelectedText())
        selectAll();
    selectOnRelease = false;
}

void PlaceField::accept(const GazetteerPlace& place) {
    chosenLabel = QString::fromStdString(placeLabel(place, state.language == Language::japanese));
    setText(chosenLabel);
    completer()->popup()->hide();
    if (placeChosen)
        placeChosen(place);
}

void PlaceField::say(const QString& message) {
    if (tell)
        tell(message);
}

void PlaceField::showPlace(const QString& name) {
    if (hasFocus() && text() != chosenLabel)
        return;
    chosenLabel = name;
    setText(name);
}

void PlaceField::offer(const QString& text) {
    const Gazetteer* g = state.places->gazetteer.get();
    const bool coordinates = parseCoordinates(text.toStdString()).has_value();
    offered = g && !coordinates ? placesStartingWith(*g, text.toStdString(), offeredPlaces)
                                : std::vector<std::uint32_t>{};
    QStringList shown;
    for (std::uint32_t i : offered)
        shown << QString::fromStdString(
            placeLabel(g->places[i], state.language == Language::japanese));
    labels->setStringList(shown);
}

void PlaceField::choose(const QString& text) {
    if (const std::optional<TypedCoordinates> typed = parseCoordinates(text.toStdString())) {
        chosenLabel = QString::fromStdString(coordinatesText(typed->lon, typed->lat));
        setText(chosenLabel);
        say(tr("Read as %1").arg(chosenLabel));
        if (coordinatesChosen)
            coordinatesChosen(typed->lon, typed->lat);
        return;
    }
    const Gazetteer* g = state.places->gazetteer.get();
    if (g == nullptr) {
        say(tr("No gazetteer (cities15000.txt of libtimezonemap-data)"));
        return;
    }
    const int row = static_cast<int>(labels->stringList().indexOf(text));
    if (row >= 0 && row < static_cast<int>(offered.size())) {
        accept(g->places[offered[row]]);
        return;
    }
    const PlaceLookup found = findPlace(*g, text.toStdString());
    if (found.place) {
        accept(g->places[*found.place]);
        return;
    }
    offer(text);
    if (found.candidates.empty()) {
        say(tr("No place called \"%1\"").arg(text));
        return;
    }
    say(tr("\"%1\" names several places: choose one from the list").arg(text));
    completer()->complete();
}

} // namespace vesk
