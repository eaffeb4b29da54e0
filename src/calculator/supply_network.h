#pragma once

// The supply's equations, for the integrator in supply_simulation.cpp: the state (capacitor
// voltages, choke currents), its time derivative, and the instantaneous currents, voltages
// and powers at one point. The rectifier's element law is implicit in the current; it is
// solved by safeguarded Newton inside a bracket, so it always converges.

#include "supply_circuit.h"

#include <vector>

namespace ferrolux {

// What the supply does at one instant.
struct SupplyPoint
{
    double emf = 0;                // e(t) of path A (path B of a centre tap sees -e)
    double groupA = 0, groupB = 0; // current of the elements conducting for +e, and for -e
    double windingA = 0;           // current in path A's winding (signed for a bridge)
    double windingB = 0;           // current in path B's winding (centre tap only)
    double outputA = 0;            // rectifier current into the filter
    double reverseV = 0;           // the largest reverse voltage on one element
    double loadA = 0;
    double sourceW = 0, windingW = 0, rectifierW = 0, filterW = 0, loadW = 0;
};

class SupplyNetwork
{
public:
    // `supply` must pass supplyProblem().
    explicit SupplyNetwork(const SupplyCircuit &supply);

    int stateSize() const { return stateSize_; }
    double period() const { return period_; }
    double amplitude() const { return amplitude_; }
    bool fullWave() const { return circuit_ != RectifierCircuit::HalfWave; }
    int firstNode() const { return 0; }
    int lastNode() const { return nodes_ - 1; }
    // The index of the choke current fed by the rectifier, or -1 for capacitor input.
    int inputChoke() const { return inputChoke_; }
    // The largest magnitude of each state component worth resolving (for finite steps).
    double stateScale(int index) const;

    // dx/dt at time t, and the instant's quantities in `point` when not null.
    void derivative(double t, const double *x, double *dx, SupplyPoint *point) const;

    // A state near the steady operating point, from closed-form estimates.
    std::vector<double> estimatedState() const;

    // The shortest time constant of the circuit near its operating point: the charging of the
    // first capacitor through the path (capacitor input), each resistive link between its
    // capacitors, each choke with its resistance and its capacitors. A step must stay well
    // below it for RK4 to be accurate (and above 2.8 of it RK4 is unstable).
    double shortestTimeConstant() const;

    // The voltage across one conducting element at current i (i > 0).
    double elementVoltage(double i) const;

private:
    struct Link
    {
        double inductanceH, resistanceOhm;
        int state; // index of its current in the state, or -1 for a plain resistor
    };

    // Current of one conducting path driven by `drive` volts through `ohms`.
    double conduct(double drive, double ohms) const;
    // With a choke input carrying i: the share carried for +e, and the rectifier's output.
    void share(double e, double i, double &groupA, double &outputV) const;
    double estimatedCurrent(double outputV) const;

    RectifierCircuit circuit_;
    int elements_; // elements in series per conduction
    double amplitude_, omega_, period_;
    double pathOhm_;
    DiodeLaw law_;
    double invN_ = 1, k_ = 0;
    bool hasPower_ = false, cubeRoot_ = false;
    double inputInductanceH_ = 0, inputOhm_ = 0;
    int inputChoke_ = -1;
    int nodes_ = 0;
    std::vector<double> capacitanceF_;
    std::vector<Link> links_; // links_[j] joins node j and j + 1
    SupplyLoad load_;
    int stateSize_ = 0;
    mutable double warmPower_ = 0;
};

} // namespace ferrolux
