#pragma once

// The "Identify" page: pick a lamination from the table or give a core by its tongue and
// window, with the stack, flux density, mains, stacking factor, rise and efficiency; it shows
// the core's figures and its VA estimate against the design's total secondary VA, over or
// under, with what the estimate assumes.

#include "lamination_estimate.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace ferrolux {

class LaminationPage : public QWidget
{
    Q_OBJECT

public:
    explicit LaminationPage(QWidget *parent = nullptr);

    // nullopt while "None" is picked.
    std::optional<LaminationChoice> lamination() const;
    void setLamination(const std::optional<LaminationChoice> &lamination);

public slots:
    // The design's total secondary VA of the last Calculate; nullopt: none yet.
    void setDesignVa(std::optional<double> totalVa);

signals:
    void laminationEdited();

private:
    void edited();
    void showShape();
    void showEstimate();

    QComboBox *m_name = nullptr; // "None", the table, "By its dimensions"
    QLineEdit *m_tongue = nullptr;
    QLineEdit *m_windowWidth = nullptr;
    QLineEdit *m_windowHeight = nullptr;
    QLineEdit *m_stack = nullptr;
    QLineEdit *m_flux = nullptr;
    QLineEdit *m_mains = nullptr;
    QLineEdit *m_hz = nullptr;
    QLineEdit *m_stackingFactor = nullptr;
    QComboBox *m_rise = nullptr;
    QLineEdit *m_efficiency = nullptr;
    QLabel *m_figures = nullptr;
    QLabel *m_estimate = nullptr;
    std::optional<double> m_designVa;
};

} // namespace ferrolux
