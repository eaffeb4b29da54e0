#include "supply_network.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace ferrolux {

namespace {

constexpr double kMicro = 1e-6;

// x^(1/3) for x > 0: an exponent-thirding first guess refined by three Halley steps (each
// triples the correct digits: 2 % -> 1e-5 -> 1e-15 -> rounding), several times quicker than
// the library's cube root, which dominated the run time.
double cubeRoot(double x)
{
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) / 3 + 0x2A9F7893782DA1CEull);
    for (int i = 0; i < 3; ++i) {
        const double y3 = y * y * y;
        y *= (y3 + 2 * x) / (2 * y3 + x);
    }
    return y;
}

} // namespace

SupplyNetwork::SupplyNetwork(const SupplyCircuit &supply)
    : circuit_(supply.circuit), elements_(supply.circuit == RectifierCircuit::Bridge ? 2 : 1),
      amplitude_(std::numbers::sqrt2 * supply.windingVac),
      omega_(2 * std::numbers::pi * supply.mainsHz), period_(1 / supply.mainsHz),
      pathOhm_(supply.windingOhm), law_(rectifierLaw(supply.rectifier).value_or(DiodeLaw{})),
      load_(supply.load)
{
    if (law_.k) {
        hasPower_ = true;
        k_ = *law_.k;
        const double n = law_.n.value_or(1.5);
        invN_ = 1 / n;
        cubeRoot_ = n == 1.5;
    }
    // Walk the ladder: series parts gather until a capacitor makes a node; capacitors with
    // nothing between them are one node.
    double seriesL = 0, seriesR = 0;
    bool seriesSeen = false;
    for (const FilterPart &part : supply.filter) {
        if (part.kind != FilterPartKind::ShuntCapacitor) {
            seriesL += part.kind == FilterPartKind::SeriesChoke ? part.inductanceH : 0;
            seriesR += part.resistanceOhm;
            seriesSeen = true;
            continue;
        }
        if (nodes_ == 0) {
            inputInductanceH_ = seriesL;
            inputOhm_ = seriesR;
            capacitanceF_.push_back(part.capacitanceUf * kMicro);
            nodes_ = 1;
        } else if (!seriesSeen) {
            capacitanceF_.back() += part.capacitanceUf * kMicro;
        } else {
            links_.push_back({seriesL, seriesR, -1});
            capacitanceF_.push_back(part.capacitanceUf * kMicro);
            ++nodes_;
        }
        seriesL = seriesR = 0;
        seriesSeen = false;
    }
    stateSize_ = nodes_;
    if (inputInductanceH_ > 0) {
        inputChoke_ = stateSize_++;
    }
    for (Link &link : links_) {
        if (link.inductanceH > 0) {
            link.state = stateSize_++;
        }
    }
}

double SupplyNetwork::stateScale(int index) const
{
    if (index < nodes_) {
        return amplitude_;
    }
    return std::max(estimatedCurrent(0.9 * amplitude_), 1e-3);
}

double SupplyNetwork::elementVoltage(double i) const
{
    double v = law_.forwardV + law_.resistanceOhm * i;
    if (hasPower_ && i > 0) {
        const double x = i / k_;
        v += cubeRoot_ ? cubeRoot(x * x) : std::pow(x, invN_);
    }
    return v;
}

double SupplyNetwork::conduct(double drive, double ohms) const
{
    const double m = elements_;
    const double w = drive - m * law_.forwardV;
    if (w <= 0) {
        return 0;
    }
    const double linear = ohms + m * law_.resistanceOhm;
    if (!hasPower_) {
        return w / linear;
    }
    // Solved for s = (i/k)^(1/n), the power-law part of one element's voltage:
    // G(s) = linear·k·s^n + m·s - w, increasing, G(0) < 0 <= G(w/m). Newton inside the bracket
    // [0, w/m], bisecting whenever a step would leave it.
    const double n = 1 / invN_;
    const auto power = [this, n](double v) {
        return cubeRoot_ ? v * std::sqrt(v) : std::pow(v, n);
    };
    double lo = 0, hi = w / m;
    double v = warmPower_ > 0 && warmPower_ < hi ? warmPower_ : hi;
    for (int iteration = 0; iteration < 100; ++iteration) {
        const double p = power(v);
        const double g = linear * k_ * p + m * v - w;
        if (g == 0) {
            break;
        }
        (g > 0 ? hi : lo) = v;
        const double slope = linear * k_ * n * p / v + m;
        double next = v - g / slope;
        if (!(next > lo && next < hi)) {
            next = 0.5 * (lo + hi);
        }
        const bool done = std::abs(next - v) <= 1e-15 * v;
        v = next;
        if (done || hi - lo <= 1e-15 * hi) {
            break;
        }
    }
    warmPower_ = v;
    const double i = k_ * power(v);
    return i;
}

// Both groups may carry the choke's current near a zero crossing. With a the share for +e
// and b = i - a, the two groups' output voltages agree where h(a) = 0; h falls with a.
void SupplyNetwork::share(double e, double i, double &groupA, double &outputV) const
{
    const double m = elements_;
    const bool bridge = circuit_ == RectifierCircuit::Bridge;
    const double whole = elementVoltage(i);
    const double drive = bridge ? e : 2 * e;
    // h(0) and h(i), with one element's voltage at zero current taken as forward_v.
    double hLo = drive + pathOhm_ * i - law_.forwardV + whole;
    double hHi = drive - pathOhm_ * i - whole + law_.forwardV;
    if (hLo <= 0 || hHi >= 0) {
        groupA = hLo <= 0 ? 0 : i;
        outputV = std::abs(e) - pathOhm_ * i - m * whole;
        return;
    }
    const auto h = [&](double a) {
        const double b = i - a;
        return drive - pathOhm_ * (a - b) - elementVoltage(a) + elementVoltage(b);
    };
    // Both groups conduct: false position with the Illinois correction inside (0, i).
    double lo = 0, hi = i;
    int side = 0;
    double a = 0.5 * i;
    for (int iteration = 0; iteration < 100 && hi - lo > 1e-13 * i; ++iteration) {
        a = (lo * hHi - hi * hLo) / (hHi - hLo);
        if (!(a > lo && a < hi)) {
            a = 0.5 * (lo + hi);
        }
        const double ha = h(a);
        if (ha == 0) {
            break;
        }
        if (ha > 0) {
            lo = a;
            hLo = ha;
            hHi *= side == -1 ? 0.5 : 1;
            side = -1;
        } else {
            hi = a;
            hHi = ha;
            hLo *= side == 1 ? 0.5 : 1;
            side = 1;
        }
    }
    groupA = a;
    const double b = i - a;
    outputV =
        bridge ? -elementVoltage(a) - elementVoltage(b) : e - pathOhm_ * a - elementVoltage(a);
}

void SupplyNetwork::derivative(double t, const double *x, double *dx, SupplyPoint *point) const
{
    const double e = amplitude_ * std::sin(omega_ * t);
    const double m = elements_;
    const double v0 = x[0];
    const bool half = circuit_ == RectifierCircuit::HalfWave;
    const bool bridge = circuit_ == RectifierCircuit::Bridge;
    double a = 0, b = 0, rectifierV = v0, reverse = 0;
    double rectifierOut = 0;

    if (inputChoke_ < 0) {
        const double drive = half ? e - v0 : std::abs(e) - v0;
        const double i = conduct(drive, pathOhm_ + inputOhm_);
        (half || e >= 0 ? a : b) = i;
        rectifierOut = i;
        rectifierV = v0 + inputOhm_ * i;
    } else {
        const double i = std::max(x[inputChoke_], 0.0);
        double chokeV;
        if (i > 0) {
            if (half) {
                a = i;
                rectifierV = e - pathOhm_ * i - elementVoltage(i);
            } else {
                share(e, i, a, rectifierV);
                b = i - a;
            }
            chokeV = rectifierV - v0 - inputOhm_ * i;
        } else {
            const double open = (half ? e : std::abs(e)) - m * law_.forwardV;
            chokeV = std::max(open - v0, 0.0);
            rectifierV = v0;
        }
        rectifierOut = i;
        dx[inputChoke_] = chokeV / inputInductanceH_;
    }

    // Reverse voltage on an element that does not conduct.
    if (half) {
        reverse = a > 0 ? 0 : rectifierV - e;
    } else if (bridge) {
        const double on = std::max(a, b);
        reverse = a > 0 && b > 0 ? 0
                  : on > 0       ? rectifierV + elementVoltage(on)
                                 : 0.5 * (rectifierV + std::abs(e));
    } else {
        reverse = std::max(b > 0 ? 0 : rectifierV + e, a > 0 ? 0 : rectifierV - e);
    }

    // The ladder: node j takes the current of the link before it and gives the one after.
    const double vLast = x[nodes_ - 1];
    const double loadA = load_.kind == SupplyLoadKind::ConstantCurrent
                             ? (vLast > 0 ? load_.value : 0)
                             : vLast / load_.value;
    double inflow = rectifierOut;
    double filterW = inputOhm_ * rectifierOut * rectifierOut;
    for (int j = 0; j < nodes_; ++j) {
        double outflow = j == nodes_ - 1 ? loadA : 0;
        if (j < nodes_ - 1) {
            const Link &link = links_[j];
            const double across = x[j] - x[j + 1];
            const double linkA = link.state >= 0 ? x[link.state] : across / link.resistanceOhm;
            if (link.state >= 0) {
                dx[link.state] = (across - link.resistanceOhm * linkA) / link.inductanceH;
            }
            filterW += link.resistanceOhm * linkA * linkA;
            outflow += linkA;
            dx[j] = (inflow - outflow) / capacitanceF_[j];
            inflow = linkA;
        } else {
            dx[j] = (inflow - outflow) / capacitanceF_[j];
        }
    }

    if (point) {
        point->emf = e;
        point->groupA = a;
        point->groupB = b;
        point->outputA = rectifierOut;
        point->reverseV = reverse;
        point->loadA = loadA;
        if (bridge) {
            point->windingA = a - b;
            point->windingB = 0;
            point->sourceW = e * (a - b);
            point->windingW = pathOhm_ * (a - b) * (a - b);
        } else {
            point->windingA = a;
            point->windingB = b;
            point->sourceW = e * (a - b);
            point->windingW = pathOhm_ * (a * a + b * b);
        }
        point->rectifierW =
            m * ((a > 0 ? a * elementVoltage(a) : 0) + (b > 0 ? b * elementVoltage(b) : 0));
        point->filterW = filterW;
        point->loadW = vLast * loadA;
    }
}

double SupplyNetwork::shortestTimeConstant() const
{
    double shortest = period_;
    const auto consider = [&shortest](double tau) {
        if (tau > 0 && std::isfinite(tau)) {
            shortest = std::min(shortest, tau);
        }
    };
    const double m = elements_;
    if (inputChoke_ < 0) {
        // The element's slope dv/di at a conduction pulse of some three times the mean current.
        const double pulse = 3 * std::max(estimatedCurrent(0.9 * amplitude_), 1e-6);
        double slope = law_.resistanceOhm;
        if (hasPower_) {
            slope += (elementVoltage(pulse) - law_.forwardV - law_.resistanceOhm * pulse) * invN_ /
                     pulse;
        }
        consider((pathOhm_ + inputOhm_ + m * slope) * capacitanceF_[0]);
    } else {
        consider(std::sqrt(inputInductanceH_ * capacitanceF_[0]));
    }
    for (std::size_t j = 0; j < links_.size(); ++j) {
        const double series =
            capacitanceF_[j] * capacitanceF_[j + 1] / (capacitanceF_[j] + capacitanceF_[j + 1]);
        if (links_[j].state < 0) {
            consider(links_[j].resistanceOhm * series);
        } else {
            consider(std::sqrt(links_[j].inductanceH * series));
        }
    }
    if (load_.kind == SupplyLoadKind::Resistance) {
        consider(load_.value * capacitanceF_.back());
    }
    return shortest;
}

double SupplyNetwork::estimatedCurrent(double outputV) const
{
    return load_.kind == SupplyLoadKind::ConstantCurrent ? load_.value
                                                         : std::max(outputV, 0.0) / load_.value;
}

std::vector<double> SupplyNetwork::estimatedState() const
{
    // Capacitor input: about the peak less the drops, a conduction pulse of some three times
    // the mean current; choke input: the full-wave mean 2·peak/π less the drops.
    const double m = elements_;
    const bool chokeInput = inputChoke_ >= 0;
    const double open =
        chokeInput ? (fullWave() ? 2 / std::numbers::pi : 1 / std::numbers::pi) : 1.0;
    const double pulse = chokeInput ? 1.0 : (fullWave() ? 3.0 : 5.0);
    double seriesOhm = 0;
    for (const Link &link : links_) {
        seriesOhm += link.resistanceOhm;
    }
    double v0 = amplitude_ * open, current = 0;
    for (int pass = 0; pass < 4; ++pass) {
        current = estimatedCurrent(v0 - current * seriesOhm);
        const double peakA = pulse * current;
        v0 = amplitude_ * open - (peakA > 0 ? m * elementVoltage(peakA) : 0) -
             peakA * (pathOhm_ + inputOhm_) * (chokeInput ? 1.0 : 0.5);
        v0 = std::max(v0, 0.05 * amplitude_);
    }
    std::vector<double> x(stateSize_, 0.0);
    double v = v0;
    for (int j = 0; j < nodes_; ++j) {
        x[j] = std::max(v, 0.0);
        if (j < nodes_ - 1) {
            v -= current * links_[j].resistanceOhm;
            if (links_[j].state >= 0) {
                x[links_[j].state] = current;
            }
        }
    }
    if (chokeInput) {
        x[inputChoke_] = current;
    }
    return x;
}

} // namespace ferrolux
