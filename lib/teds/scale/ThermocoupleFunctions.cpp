#include "teds/scale/ThermocoupleFunctions.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace teds::scale::nist {
namespace {

// Forward functions (kEmf*, t in degC to E in mV) and inverse functions
// (kCelsius*, E in mV to t in degC), with the error band NIST publishes for
// each inverse range.

// Type B
constexpr Subrange kEmfB[] = {
    {0, 630.615,
     {0.000000000000E+00, -2.465081834600E-04, 5.904042117100E-06, -1.325793163600E-09, 1.566829190100E-12,
      -1.694452924000E-15, 6.299034709400E-19}},
    {630.615, 1820,
     {-3.893816862100E+00, 2.857174747000E-02, -8.488510478500E-05, 1.578528016400E-07, -1.683534486400E-10,
      1.110979401300E-13, -4.451543103300E-17, 9.897564082100E-21, -9.379133028900E-25}},
};
constexpr Subrange kCelsiusB[] = {
    // 250 to 700 degC, within -0.02 to 0.03 degC
    {0.291, 2.431,
     {9.8423321E+01, 6.9971500E+02, -8.4765304E+02, 1.0052644E+03, -8.3345952E+02,
      4.5508542E+02, -1.5523037E+02, 2.9886750E+01, -2.4742860E+00}},
    // 700 to 1820 degC, within -0.01 to 0.02 degC
    {2.431, 13.82,
     {2.1315071E+02, 2.8510504E+02, -5.2742887E+01, 9.9160804E+00, -1.2965303E+00,
      1.1195870E-01, -6.0625199E-03, 1.8661696E-04, -2.4878585E-06}},
};

// Type E
constexpr Subrange kEmfE[] = {
    {-270, 0,
     {0.000000000000E+00, 5.866550870800E-02, 4.541097712400E-05, -7.799804868600E-07, -2.580016084300E-08,
      -5.945258305700E-10, -9.321405866700E-12, -1.028760553400E-13, -8.037012362100E-16, -4.397949739100E-18,
      -1.641477635500E-20, -3.967361951600E-23, -5.582732872100E-26, -3.465784201300E-29}},
    {0, 1000,
     {0.000000000000E+00, 5.866550871000E-02, 4.503227558200E-05, 2.890840721200E-08, -3.305689665200E-10,
      6.502440327000E-13, -1.919749550400E-16, -1.253660049700E-18, 2.148921756900E-21, -1.438804178200E-24,
      3.596089948100E-28}},
};
constexpr Subrange kCelsiusE[] = {
    // -200 to 0 degC, within -0.01 to 0.03 degC
    {-8.825, 0,
     {0.0000000E+00, 1.6977288E+01, -4.3514970E-01, -1.5859697E-01, -9.2502871E-02,
      -2.6084314E-02, -4.1360199E-03, -3.4034030E-04, -1.1564890E-05}},
    // 0 to 1000 degC, within -0.02 to 0.02 degC
    {0, 76.373,
     {0.0000000E+00, 1.7057035E+01, -2.3301759E-01, 6.5435585E-03, -7.3562749E-05,
      -1.7896001E-06, 8.4036165E-08, -1.3735879E-09, 1.0629823E-11, -3.2447087E-14}},
};

// Type J
constexpr Subrange kEmfJ[] = {
    {-210, 760,
     {0.000000000000E+00, 5.038118781500E-02, 3.047583693000E-05, -8.568106572000E-08, 1.322819529500E-10,
      -1.705295833700E-13, 2.094809069700E-16, -1.253839533600E-19, 1.563172569700E-23}},
    {760, 1200,
     {2.964562568100E+02, -1.497612778600E+00, 3.178710392400E-03, -3.184768670100E-06, 1.572081900400E-09,
      -3.069136905600E-13}},
};
constexpr Subrange kCelsiusJ[] = {
    // -210 to 0 degC, within -0.05 to 0.03 degC
    {-8.095, 0,
     {0.0000000E+00, 1.9528268E+01, -1.2286185E+00, -1.0752178E+00, -5.9086933E-01,
      -1.7256713E-01, -2.8131513E-02, -2.3963370E-03, -8.3823321E-05}},
    // 0 to 760 degC, within -0.04 to 0.04 degC
    {0, 42.919,
     {0.0000000E+00, 1.9784250E+01, -2.0012040E-01, 1.0369690E-02, -2.5496870E-04,
      3.5851530E-06, -5.3442850E-08, 5.0998900E-10}},
    // 760 to 1200 degC, within -0.04 to 0.03 degC
    {42.919, 69.553,
     {-3.1135819E+03, 3.0054368E+02, -9.9477323E+00, 1.7027663E-01, -1.4303347E-03,
      4.7388608E-06}},
};

// Type K
constexpr Subrange kEmfK[] = {
    {-270, 0,
     {0.000000000000E+00, 3.945012802500E-02, 2.362237359800E-05, -3.285890678400E-07, -4.990482877700E-09,
      -6.750905917300E-11, -5.741032742800E-13, -3.108887289400E-15, -1.045160936500E-17, -1.988926687800E-20,
      -1.632269748600E-23}},
    {0, 1372,
     {-1.760041368600E-02, 3.892120497500E-02, 1.855877003200E-05, -9.945759287400E-08, 3.184094571900E-10,
      -5.607284488900E-13, 5.607505905900E-16, -3.202072000300E-19, 9.715114715200E-23, -1.210472127500E-26},
     Bump{1.185976000000E-01, -1.183432000000E-04, 1.269686000000E+02}},
};
constexpr Subrange kCelsiusK[] = {
    // -200 to 0 degC, within -0.02 to 0.04 degC
    {-5.891, 0,
     {0.0000000E+00, 2.5173462E+01, -1.1662878E+00, -1.0833638E+00, -8.9773540E-01,
      -3.7342377E-01, -8.6632643E-02, -1.0450598E-02, -5.1920577E-04}},
    // 0 to 500 degC, within -0.05 to 0.04 degC
    {0, 20.644,
     {0.0000000E+00, 2.5083550E+01, 7.8601060E-02, -2.5031310E-01, 8.3152700E-02,
      -1.2280340E-02, 9.8040360E-04, -4.4130300E-05, 1.0577340E-06, -1.0527550E-08}},
    // 500 to 1372 degC, within -0.05 to 0.06 degC
    {20.644, 54.886,
     {-1.3180580E+02, 4.8302220E+01, -1.6460310E+00, 5.4647310E-02, -9.6507150E-04,
      8.8021930E-06, -3.1108100E-08}},
};

// Type N
constexpr Subrange kEmfN[] = {
    {-270, 0,
     {0.000000000000E+00, 2.615910596200E-02, 1.095748422800E-05, -9.384111155400E-08, -4.641203975900E-11,
      -2.630335771600E-12, -2.265343800300E-14, -7.608930079100E-17, -9.341966783500E-20}},
    {0, 1300,
     {0.000000000000E+00, 2.592939460100E-02, 1.571014188000E-05, 4.382562723700E-08, -2.526116979400E-10,
      6.431181933900E-13, -1.006347151900E-15, 9.974533899200E-19, -6.086324560700E-22, 2.084922933900E-25,
      -3.068219615100E-29}},
};
constexpr Subrange kCelsiusN[] = {
    // -200 to 0 degC, within -0.02 to 0.03 degC
    {-3.99, 0,
     {0.0000000E+00, 3.8436847E+01, 1.1010485E+00, 5.2229312E+00, 7.2060525E+00,
      5.8488586E+00, 2.7754916E+00, 7.7075166E-01, 1.1582665E-01, 7.3138868E-03}},
    // 0 to 600 degC, within -0.02 to 0.03 degC
    {0, 20.613,
     {0.0000000E+00, 3.8689600E+01, -1.0826700E+00, 4.7020500E-02, -2.1216900E-06,
      -1.1727200E-04, 5.3928000E-06, -7.9815600E-08}},
    // 600 to 1300 degC, within -0.04 to 0.02 degC
    {20.613, 47.513,
     {1.9724850E+01, 3.3009430E+01, -3.9151590E-01, 9.8553910E-03, -1.2743710E-04,
      7.7670220E-07}},
};

// Type R
constexpr Subrange kEmfR[] = {
    {-50, 1064.18,
     {0.000000000000E+00, 5.289617297650E-03, 1.391665897820E-05, -2.388556930170E-08, 3.569160010630E-11,
      -4.623476662980E-14, 5.007774410340E-17, -3.731058861910E-20, 1.577164823670E-23, -2.810386252510E-27}},
    {1064.18, 1664.5,
     {2.951579253160E+00, -2.520612513320E-03, 1.595645018650E-05, -7.640859475760E-09, 2.053052910240E-12,
      -2.933596681730E-16}},
    {1664.5, 1768.1,
     {1.522321182090E+02, -2.688198885450E-01, 1.712802804710E-04, -3.458957064530E-08, -9.346339710460E-15}},
};
constexpr Subrange kCelsiusR[] = {
    // -50 to 250 degC, within -0.02 to 0.02 degC
    {-0.226, 1.923,
     {0.0000000E+00, 1.8891380E+02, -9.3835290E+01, 1.3068619E+02, -2.2703580E+02,
      3.5145659E+02, -3.8953900E+02, 2.8239471E+02, -1.2607281E+02, 3.1353611E+01,
      -3.3187769E+00}},
    // 250 to 1200 degC, within -0.005 to 0.005 degC. Published up to 13.228 mV; the
    // next range overlaps it from 11.361 mV with a far narrower band, and answers there.
    {1.923, 11.361,
     {1.3345845E+01, 1.4726446E+02, -1.8440248E+01, 4.0311297E+00, -6.2494284E-01,
      6.4684120E-02, -4.4587504E-03, 1.9947101E-04, -5.3134018E-06, 6.4819762E-08}},
    // 1064 to 1664.5 degC, within -0.0005 to 0.001 degC
    {11.361, 19.739,
     {-8.1995994E+01, 1.5539620E+02, -8.3421977E+00, 4.2794335E-01, -1.1915779E-02,
      1.4922901E-04}},
    // 1664.5 to 1768.1 degC, within -0.001 to 0.002 degC
    {19.739, 21.103,
     {3.4061778E+04, -7.0237292E+03, 5.5829038E+02, -1.9523946E+01, 2.5607402E-01}},
};

// Type S
constexpr Subrange kEmfS[] = {
    {-50, 1064.18,
     {0.000000000000E+00, 5.403133086310E-03, 1.259342897400E-05, -2.324779686890E-08, 3.220288230360E-11,
      -3.314651963890E-14, 2.557442517860E-17, -1.250688713930E-20, 2.714431761450E-24}},
    {1064.18, 1664.5,
     {1.329004440850E+00, 3.345093113440E-03, 6.548051928180E-06, -1.648562592090E-09, 1.299896051740E-14}},
    {1664.5, 1768.1,
     {1.466282326360E+02, -2.584305167520E-01, 1.636935746410E-04, -3.304390469870E-08, -9.432236906120E-15}},
};
constexpr Subrange kCelsiusS[] = {
    // -50 to 250 degC, within -0.02 to 0.02 degC
    {-0.235, 1.874,
     {0.0000000E+00, 1.8494946E+02, -8.0050406E+01, 1.0223743E+02, -1.5224859E+02,
      1.8882134E+02, -1.5908594E+02, 8.2302788E+01, -2.3418194E+01, 2.7978626E+00}},
    // 250 to 1200 degC, within -0.01 to 0.01 degC. Published up to 11.95 mV; the
    // next range overlaps it from 10.332 mV with a far narrower band, and answers there.
    {1.874, 10.332,
     {1.2915072E+01, 1.4662989E+02, -1.5347134E+01, 3.1459460E+00, -4.1632578E-01,
      3.1879638E-02, -1.2916375E-03, 2.1834751E-05, -1.4473795E-07, 8.2112721E-09}},
    // 1064 to 1664.5 degC, within -0.0002 to 0.0002 degC
    {10.332, 17.536,
     {-8.0878011E+01, 1.6215731E+02, -8.5368695E+00, 4.7196870E-01, -1.4416937E-02,
      2.0816189E-04}},
    // 1664.5 to 1768.1 degC, within -0.002 to 0.002 degC
    {17.536, 18.693,
     {5.3338751E+04, -1.2358923E+04, 1.0926576E+03, -4.2656937E+01, 6.2472054E-01}},
};

// Type T
constexpr Subrange kEmfT[] = {
    {-270, 0,
     {0.000000000000E+00, 3.874810636400E-02, 4.419443434700E-05, 1.184432310500E-07, 2.003297355400E-08,
      9.013801955900E-10, 2.265115659300E-11, 3.607115420500E-13, 3.849393988300E-15, 2.821352192500E-17,
      1.425159477900E-19, 4.876866228600E-22, 1.079553927000E-24, 1.394502706200E-27, 7.979515392700E-31}},
    {0, 400,
     {0.000000000000E+00, 3.874810636400E-02, 3.329222788000E-05, 2.061824340400E-07, -2.188225684600E-09,
      1.099688092800E-11, -3.081575877200E-14, 4.547913529000E-17, -2.751290167300E-20}},
};
constexpr Subrange kCelsiusT[] = {
    // -200 to 0 degC, within -0.02 to 0.04 degC
    {-5.603, 0,
     {0.0000000E+00, 2.5949192E+01, -2.1316967E-01, 7.9018692E-01, 4.2527777E-01,
      1.3304473E-01, 2.0241446E-02, 1.2668171E-03}},
    // 0 to 400 degC, within -0.03 to 0.03 degC
    {0, 20.872,
     {0.0000000E+00, 2.5928000E+01, -7.6029610E-01, 4.6377910E-02, -2.1653940E-03,
      6.0481440E-05, -7.2934220E-07}},
};

struct TypeFunctions {
    std::span<const Subrange> emf;      // temperature to emf, ascending
    std::span<const Subrange> celsius;  // emf to temperature, ascending
    ValueRange inverseCelsius;          // the temperatures the inverse functions span
};

// In ThermocoupleType order.
constexpr TypeFunctions kTypes[] = {
    {kEmfB, kCelsiusB, {250, 1820}},   {kEmfE, kCelsiusE, {-200, 1000}}, {kEmfJ, kCelsiusJ, {-210, 1200}},
    {kEmfK, kCelsiusK, {-200, 1372}},  {kEmfN, kCelsiusN, {-200, 1300}}, {kEmfR, kCelsiusR, {-50, 1768.1}},
    {kEmfS, kCelsiusS, {-50, 1768.1}}, {kEmfT, kCelsiusT, {-200, 400}},
};
static_assert(std::size(kTypes) == kThermocoupleLetters.size());

// Each piece starts where the one before it ends, so that a value finds
// exactly one piece and a range has no gap.
constexpr bool joined(std::span<const Subrange> pieces) {
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (pieces[i].low != pieces[i - 1].high) return false;
    }
    return true;
}
static_assert([] {
    for (const auto& type : kTypes) {
        if (!joined(type.emf) || !joined(type.celsius)) return false;
        for (const Subrange& piece : type.celsius)
            if (piece.terms > kInverseTerms || piece.bump.amplitude != 0.0) return false;
    }
    return true;
}());

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Null for a value outside the enumeration (a raw field cast unchecked).
const TypeFunctions* functionsOf(ThermocoupleType type) {
    const auto index = static_cast<std::size_t>(static_cast<std::uint32_t>(type));
    return index < std::size(kTypes) ? &kTypes[index] : nullptr;
}

// Both ends of every piece belong to it; at a shared end the lower piece
// answers. NaN fails every comparison and falls through to NaN.
double evaluate(std::span<const Subrange> pieces, double x) {
    if (!(x >= pieces.front().low)) return kNaN;
    for (const auto& piece : pieces) {
        if (x <= piece.high) return piece.at(x);
    }
    return kNaN;
}

ValueRange spanOf(std::span<const Subrange> pieces) {
    return {pieces.front().low, pieces.back().high};
}

}  // namespace

double emfMillivolts(ThermocoupleType type, double celsius) {
    const auto* functions = functionsOf(type);
    return functions ? evaluate(functions->emf, celsius) : kNaN;
}

double temperatureCelsius(ThermocoupleType type, double millivolts) { return Inverse(type)(millivolts); }

ValueRange temperatureRange(ThermocoupleType type) {
    const auto* functions = functionsOf(type);
    return functions ? spanOf(functions->emf) : ValueRange{kNaN, kNaN};
}

ValueRange emfRange(ThermocoupleType type) { return Inverse(type).range(); }

// NIST rounds the emf ends of the inverse ranges to 0.001 mV, and the exact
// emf at an end temperature may lie beyond them (type K at 1372 degC gives
// 54.886364 mV, the range ends at 54.886 mV). The outer ends are widened to
// the reference function's emf there, so that a reading at the end of the
// range converts; the end piece's polynomial is good for that last
// thousandth of a millivolt. Worked out once for every type, since a scale
// looks its inverse up for every value it converts alone.
Inverse::Inverse(ThermocoupleType type) {
    static constexpr Subrange kNoPiece{kNaN, kNaN, {kNaN}};
    static const std::array<ValueRange, std::size(kTypes)> kEnds = [] {
        std::array<ValueRange, std::size(kTypes)> ends{};
        for (std::size_t i = 0; i < ends.size(); ++i) {
            const TypeFunctions& functions = kTypes[i];
            ends[i] = {std::fmin(functions.celsius.front().low, evaluate(functions.emf, functions.inverseCelsius.low)),
                       std::fmax(functions.celsius.back().high, evaluate(functions.emf, functions.inverseCelsius.high))};
        }
        return ends;
    }();
    const auto* functions = functionsOf(type);
    if (functions == nullptr) {
        pieces_ = &kNoPiece;
        return;
    }
    pieces_ = functions->celsius.data();
    count_ = functions->celsius.size();
    const ValueRange ends = kEnds[static_cast<std::size_t>(functions - kTypes)];
    low_ = ends.low;
    high_ = ends.high;
}

}  // namespace teds::scale::nist
