#pragma once

// The DC-load helper: for each visible secondary a load kind ("AC" first, then the rectifier
// kinds) and, for a rectifier, its DC load current. A rectifier kind with a DC current gives
// the AC winding current I_AC = I_DC / k, which goes into that secondary's current field.

#include "design_extras.h"

#include <QGroupBox>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace ferrolux {

// The AC winding current for a load: nullopt for the AC kind, for a DC current that is not
// a plain positive number, and for a winding current too large to compute.
std::optional<double> windingCurrentFor(const SecondaryLoad &load);
// Why a load's DC current gives no winding current that can be used (too large to compute);
// "" when it gives one or asks for none.
QString windingCurrentProblem(const SecondaryLoad &load);
// The winding current as it is written into the current field.
QString windingCurrentText(double amperes);

class DcLoadHelper : public QGroupBox
{
    Q_OBJECT

public:
    explicit DcLoadHelper(QWidget *parent = nullptr);

    std::array<SecondaryLoad, kMaxSecondaries> loads() const;
    // Fills the rows; raises no signal.
    void setLoads(const std::array<SecondaryLoad, kMaxSecondaries> &loads);
    void setVisibleRows(int rows);
    // Typing in a secondary's current field sets its kind back to AC (the DC current stays,
    // for a later change of mind).
    void setKindToAc(int row);

signals:
    // The user changed row's kind or DC current.
    void loadEdited(int row);

private:
    void updateRow(int row);

    struct Row
    {
        QLabel *caption = nullptr;
        QComboBox *kind = nullptr;
        QLineEdit *dcCurrent = nullptr;
        QLabel *result = nullptr;
    };
    std::array<Row, kMaxSecondaries> m_rows{};
};

} // namespace ferrolux
