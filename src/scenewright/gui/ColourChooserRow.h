#pragma once

#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QWidget>

class QLabel;

namespace scenewright::gui {

// The colour row of the fog and glare editors: a swatch, the colour as
// text, the button "Choose Colour..." and a hint. The colour shown changes
// only here; the editor writes it into the model when it saves.
class ColourChooserRow : public QWidget {
    Q_OBJECT
public:
    // `chooserTitle` is the title of the colour chooser, `hint` the line
    // under the row.
    ColourChooserRow(const QString& chooserTitle, const QString& hint, QWidget* parent);

    // The model keeps colour components as fractions from 0 to 1, the row
    // whole numbers from 0 to 255.
    static int component(double fraction);
    // Rounded half-up to two decimal places: 128 gives 0.5, 255 gives 1.0.
    static double fraction(int component);
    static QColor fromFractions(double red, double green, double blue);

    void setColour(const QColor& colour);
    QColor colour() const { return result_; }
    // The colour as the row shows it: "Red=128, Green=128, Blue=255".
    static QString describe(const QColor& colour);

    // The chooser last opened and not yet forgotten; null when none.
    QColorDialog* chooser() const { return jc_; }
    // Closes and drops the chooser, so the next choice starts afresh.
    void forgetChooser();

    QLabel* swatch() const { return swatch_; }
    QLabel* colourText() const { return colourText_; }

public slots:
    // Opens the modal chooser on the colour shown, without waiting for it.
    void chooseColour();
    // The chooser's confirm: its colour, when it has one, is shown.
    // Cancelling the chooser leaves the colour shown as it was.
    void okListener();

private:
    QString chooserTitle_;
    QColor result_;
    QPointer<QColorDialog> jc_;
    QLabel* swatch_;
    QLabel* colourText_;
};

} // namespace scenewright::gui
