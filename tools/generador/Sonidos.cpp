// Synthesis of the sound effects: additive tones, formant-shaped voice,
// filtered noise bursts and decaying resonances, mixed in floating point
// and normalised to 85% of full scale.
#include "Sonidos.h"

#include <algorithm>
#include <cmath>

namespace {

const int Tasa = 22050;
const double Pi = 3.14159265358979323846;
const double Pico = 0.85;  // loudest sample relative to full scale

// Deterministic white noise (xorshift), -1 to 1.
class Ruido {
public:
    explicit Ruido(uint32_t semilla) : estado(semilla ? semilla : 1) {}
    double Siguiente()
    {
        estado ^= estado << 13;
        estado ^= estado >> 17;
        estado ^= estado << 5;
        return static_cast<double>(estado) / 2147483647.5 - 1.0;
    }
    // Uniform in [a, b).
    double Entre(double a, double b) { return a + (b - a) * (Siguiente() + 1.0) * 0.5; }

private:
    uint32_t estado;
};

// Second-order filter section (bandpass, lowpass or highpass).
class Filtro {
public:
    static Filtro PasaBanda(double f, double q) { return Filtro(f, q, 0); }
    static Filtro PasaBajos(double f, double q) { return Filtro(f, q, 1); }
    static Filtro PasaAltos(double f, double q) { return Filtro(f, q, 2); }

    double Paso(double x)
    {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // Moves the centre or corner frequency, keeping the filter's state (no click).
    void Afina(double f) { Coeficientes(f); }

private:
    Filtro(double f, double q, int tipo) : q(q), tipo(tipo) { Coeficientes(f); }

    void Coeficientes(double f)
    {
        const double w = 2.0 * Pi * f / Tasa;
        const double alfa = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alfa;
        if (tipo == 0) {
            b0 = alfa;
            b1 = 0.0;
            b2 = -alfa;
        } else if (tipo == 1) {
            b0 = (1.0 - c) / 2.0;
            b1 = 1.0 - c;
            b2 = (1.0 - c) / 2.0;
        } else {
            b0 = (1.0 + c) / 2.0;
            b1 = -(1.0 + c);
            b2 = (1.0 + c) / 2.0;
        }
        a1 = -2.0 * c;
        a2 = 1.0 - alfa;
        b0 /= a0;
        b1 /= a0;
        b2 /= a0;
        a1 /= a0;
        a2 /= a0;
    }

    double q;
    int tipo;
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

std::vector<double> Silencio(double segundos)
{
    return std::vector<double>(static_cast<size_t>(segundos * Tasa), 0.0);
}

// Short fades at both ends, so no sound starts or stops with a click.
void Bordes(std::vector<double>& v, double entrada, double salida)
{
    const size_t ne = static_cast<size_t>(entrada * Tasa), ns = static_cast<size_t>(salida * Tasa);
    for (size_t i = 0; i < ne && i < v.size(); i++)
        v[i] *= static_cast<double>(i) / static_cast<double>(ne);
    for (size_t i = 0; i < ns && i < v.size(); i++)
        v[v.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(ns);
}

Muestra Normaliza(std::vector<double> v)
{
    double maximo = 0.0;
    for (double x : v)
        maximo = std::max(maximo, std::fabs(x));
    Muestra m;
    m.bits = 16;
    m.frecuencia = Tasa;
    m.datos.resize(v.size());
    const double escala = maximo > 0.0 ? Pico * 32767.0 / maximo : 0.0;
    for (size_t i = 0; i < v.size(); i++)
        m.datos[i] = static_cast<int16_t>(std::lround(v[i] * escala));
    return m;
}

// A burst of filtered noise added at time t0: `largo` seconds, decaying with time constant `caida`.
void Rafaga(std::vector<double>& v, double t0, double largo, double caida, Filtro f, double amplitud, Ruido& r)
{
    const size_t i0 = static_cast<size_t>(t0 * Tasa);
    const size_t n = static_cast<size_t>(largo * Tasa);
    for (size_t i = 0; i < n && i0 + i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double ataque = std::min(1.0, t / 0.0008);
        v[i0 + i] += amplitud * ataque * std::exp(-t / caida) * f.Paso(r.Siguiente());
    }
}

// A decaying sine partial added at time t0.
void Parcial(std::vector<double>& v, double t0, double f, double amplitud, double caida)
{
    const size_t i0 = static_cast<size_t>(t0 * Tasa);
    for (size_t i = 0; i0 + i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double e = amplitud * std::exp(-t / caida) * std::min(1.0, t / 0.002);
        if (e < 1e-5 && t > 0.01)
            break;
        v[i0 + i] += e * std::sin(2.0 * Pi * f * t);
    }
}

// Gain of the vowel "a" at frequency f: four formant resonances.
double Formantes(double f, double desplazamiento)
{
    static const double centro[4] = {760, 1180, 2550, 3350};
    static const double ancho[4] = {90, 110, 160, 220};
    static const double ganancia[4] = {1.0, 0.62, 0.22, 0.10};
    double g = 0.0;
    for (int i = 0; i < 4; i++) {
        const double d = (f - centro[i] * desplazamiento) / (ancho[i] * 0.5);
        g += ganancia[i] / std::sqrt(1.0 + d * d);
    }
    return g;
}

// A note of a square-ish tone: odd harmonics with a decay.
void NotaCuadrada(std::vector<double>& v, double t0, double f, double largo, double amplitud)
{
    const size_t i0 = static_cast<size_t>(t0 * Tasa);
    const size_t n = static_cast<size_t>(largo * Tasa);
    for (size_t i = 0; i < n && i0 + i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        double s = 0.0;
        for (int k = 1; k <= 7 && k * f < Tasa / 2.2; k += 2)
            s += std::sin(2.0 * Pi * f * k * t) / k;
        s += 0.3 * std::sin(2.0 * Pi * f * 2.0 * t);  // an octave of sparkle
        const double env = std::min(1.0, t / 0.004) * std::exp(-t / (largo * 0.45)) *
                           std::min(1.0, (largo - t) / 0.02);
        v[i0 + i] += amplitud * env * s;
    }
}

}  // namespace

Muestra HazAhh()
{
    // A voice sliding down on "aah": harmonics of a falling pitch, shaped by the vowel's formants.
    const double largo = 1.05;
    std::vector<double> v = Silencio(largo);
    Ruido r(0xA11u);
    Filtro aliento = Filtro::PasaBanda(1200, 1.5);
    double fase = 0.0;
    for (size_t i = 0; i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double x = t / largo;
        const double f0 = 285.0 * std::pow(150.0 / 285.0, x) * (1.0 + 0.018 * std::sin(2.0 * Pi * 5.3 * t) * x);
        fase += 2.0 * Pi * f0 / Tasa;
        const double desplazamiento = 1.0 - 0.08 * x;  // the vowel darkens as it falls
        double s = 0.0;
        for (int k = 1; k * f0 < 5000.0; k++)
            s += Formantes(k * f0, desplazamiento) / std::pow(k, 0.7) * std::sin(k * fase);
        s += 0.06 * aliento.Paso(r.Siguiente());  // a little breath
        const double env = std::min(1.0, t / 0.06) * (x < 0.6 ? 1.0 : std::max(0.0, 1.0 - (x - 0.6) / 0.4));
        v[i] = s * env;
    }
    Bordes(v, 0.0, 0.02);
    return Normaliza(v);
}

Muestra HazSirena()
{
    // Two tones, high and low, changing every 0.45 s, with horn-like harmonics.
    const double largo = 3.6;
    std::vector<double> v = Silencio(largo);
    const double alto = 960.0, bajo = 740.0, medio = 0.45, deslizamiento = 0.03;
    double fase = 0.0;
    for (size_t i = 0; i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double dentro = std::fmod(t, medio);
        const bool esAlto = static_cast<int>(t / medio) % 2 == 0;
        double f = esAlto ? alto : bajo;
        if (t >= medio && dentro < deslizamiento) {
            const double previo = esAlto ? bajo : alto;
            f = previo + (f - previo) * dentro / deslizamiento;
        }
        fase += 2.0 * Pi * f / Tasa;
        const double s = std::sin(fase) + 0.22 * std::sin(2 * fase) + 0.33 * std::sin(3 * fase) +
                         0.12 * std::sin(4 * fase) + 0.14 * std::sin(5 * fase);
        v[i] = s;
    }
    Bordes(v, 0.03, 0.15);
    return Normaliza(v);
}

Muestra HazAplauso()
{
    // Many hand claps, each a few tiny bursts of band-limited noise, swelling and dying away.
    const double largo = 2.3;
    std::vector<double> v = Silencio(largo);
    Ruido r(0xC1A9u);
    for (double t = 0.0; t < largo - 0.05;) {
        const double densidad = t < 0.2 ? 0.3 + 3.5 * t : (t < 1.2 ? 1.0 : std::max(0.05, 1.0 - (t - 1.2) / 1.0));
        const double amp = r.Entre(0.4, 1.0) * (0.25 + 0.75 * densidad);
        const double centro = r.Entre(900.0, 2400.0);
        for (int k = 0; k < 3; k++)
            Rafaga(v, t + k * 0.0035, 0.03, 0.005, Filtro::PasaBanda(centro, 1.3), amp * (k == 2 ? 1.0 : 0.5), r);
        t += r.Entre(0.002, 0.045) / densidad;
    }
    Filtro murmullo = Filtro::PasaBanda(1500, 0.6);
    for (size_t i = 0; i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double env = t < 0.2 ? t / 0.2 : std::max(0.0, 1.0 - (t - 1.2) / 1.1);
        v[i] += 0.08 * env * murmullo.Paso(r.Siguiente());
    }
    Bordes(v, 0.005, 0.1);
    return Normaliza(v);
}

Muestra HazCaja()
{
    // Keys, the drawer rolling out and knocking open, and the bell ringing over it.
    const double largo = 1.1;
    std::vector<double> v = Silencio(largo);
    Ruido r(0xCA5Eu);
    for (double t : {0.0, 0.045, 0.085})
        Rafaga(v, t, 0.012, 0.002, Filtro::PasaAltos(2500, 0.9), 0.9, r);
    Filtro rodar = Filtro::PasaBanda(650, 1.2);
    for (size_t i = static_cast<size_t>(0.10 * Tasa); i < static_cast<size_t>(0.34 * Tasa); i++) {
        const double t = static_cast<double>(i) / Tasa - 0.10;
        const double traqueteo = 0.6 + 0.4 * std::sin(2.0 * Pi * 38.0 * t);
        v[i] += 0.5 * traqueteo * std::min(1.0, t / 0.02) * rodar.Paso(r.Siguiente());
    }
    Rafaga(v, 0.34, 0.06, 0.015, Filtro::PasaBajos(900, 0.8), 1.6, r);
    Parcial(v, 0.34, 85.0, 0.5, 0.05);
    // The bell: a bright strike with inharmonic partials.
    const double f = 1760.0;
    const double parciales[5][3] = {{1.0, 1.0, 0.55}, {2.0, 0.5, 0.35}, {2.76, 0.45, 0.25},
                                    {5.40, 0.25, 0.12}, {8.93, 0.12, 0.06}};
    for (const auto& p : parciales)
        Parcial(v, 0.12, f * p[0], p[1], p[2]);
    Bordes(v, 0.0, 0.08);
    return Normaliza(v);
}

Muestra HazExtra()
{
    // A quick rising arpeggio and a bright chord.
    const double largo = 1.05;
    std::vector<double> v = Silencio(largo);
    const double notas[5] = {1046.5, 1318.5, 1568.0, 2093.0, 2637.0};
    for (int k = 0; k < 5; k++)
        NotaCuadrada(v, 0.07 * k, notas[k], 0.22, 0.8);
    for (int k = 0; k < 4; k++)
        NotaCuadrada(v, 0.38, notas[k], largo - 0.38, 0.45);
    Bordes(v, 0.0, 0.05);
    return Normaliza(v);
}

Muestra HazFin()
{
    // Four notes falling a semitone each, "wah" by brightness, the last held with a wobble.
    const double largo = 2.4;
    std::vector<double> v = Silencio(largo);
    const double notas[4] = {392.0, 370.0, 349.2, 329.6};
    const double inicio[4] = {0.0, 0.42, 0.84, 1.26};
    const double dura[4] = {0.38, 0.38, 0.38, 1.1};
    for (int n = 0; n < 4; n++) {
        const size_t i0 = static_cast<size_t>(inicio[n] * Tasa);
        const size_t cuantos = static_cast<size_t>(dura[n] * Tasa);
        double fase = 0.0;
        for (size_t i = 0; i < cuantos && i0 + i < v.size(); i++) {
            const double t = static_cast<double>(i) / Tasa;
            const double x = t / dura[n];
            double f = notas[n];
            if (n == 3)
                f *= (1.0 + 0.02 * std::sin(2.0 * Pi * 6.0 * t) * std::min(1.0, t / 0.3)) * (1.0 - 0.04 * x * x);
            fase += 2.0 * Pi * f / Tasa;
            // Each note opens and closes like a muted trombone; the last one closes slowly.
            const double brillo = n == 3 ? 1.5 + 6.0 * std::sin(Pi * std::min(0.5, x * 2.5)) * (1.0 - 0.8 * x)
                                         : 1.5 + 6.0 * std::sin(Pi * x);
            double s = 0.0;
            for (int k = 1; k * f < 6000.0; k++)
                s += std::exp(-k / brillo) / k * std::sin(k * fase);
            const double env = std::min(1.0, t / 0.03) * std::min(1.0, (dura[n] - t) / 0.05) *
                               (n == 3 ? (1.0 - 0.6 * x) : 1.0);
            v[i0 + i] += env * s;
        }
    }
    Bordes(v, 0.0, 0.05);
    return Normaliza(v);
}

Muestra HazGolpe()
{
    // A heavy body falling in the snow: a sinking low tone and a muffled knock.
    const double largo = 0.5;
    std::vector<double> v = Silencio(largo);
    Ruido r(0x601Eu);
    double fase = 0.0;
    for (size_t i = 0; i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double f = 40.0 + 80.0 * std::exp(-t / 0.08);
        fase += 2.0 * Pi * f / Tasa;
        v[i] = std::sin(fase) * std::exp(-t / 0.12) * std::min(1.0, t / 0.002);
    }
    Rafaga(v, 0.0, 0.08, 0.015, Filtro::PasaBajos(1200, 0.7), 2.5, r);
    Rafaga(v, 0.0, 0.25, 0.06, Filtro::PasaBajos(300, 0.7), 3.0, r);
    Bordes(v, 0.0, 0.05);
    return Normaliza(v);
}

Muestra HazCrujido()
{
    // Skis and poles breaking and clattering: a shower of crackles and a few ringing pieces.
    const double largo = 0.6;
    std::vector<double> v = Silencio(largo);
    Ruido r(0xC7A5u);
    for (double t = 0.0; t < largo - 0.01;) {
        const double densidad = std::exp(-t / 0.15);
        Rafaga(v, t, 0.006, r.Entre(0.0005, 0.002), Filtro::PasaAltos(r.Entre(1500.0, 4000.0), 0.8),
               r.Entre(0.3, 1.0) * (0.2 + densidad), r);
        t += r.Entre(0.0005, 0.004) / (0.1 + densidad);
    }
    for (int k = 0; k < 5; k++) {
        const double t = r.Entre(0.02, 0.35);
        const double f = r.Entre(1400.0, 3600.0);
        Parcial(v, t, f, r.Entre(0.15, 0.3), 0.04);
        Parcial(v, t, f * 2.41, 0.1, 0.02);
    }
    Bordes(v, 0.0, 0.05);
    return Normaliza(v);
}

Muestra HazRaspado()
{
    // Skis scraping over packed snow: rough, band-limited hiss sweeping down.
    const double largo = 0.55;
    std::vector<double> v = Silencio(largo);
    Ruido r(0x5C4Au);
    Filtro banda = Filtro::PasaBanda(2600.0, 0.9);
    Filtro alto = Filtro::PasaAltos(3500.0, 0.7);
    double aspereza = 1.0;
    for (size_t i = 0; i < v.size(); i++) {
        const double t = static_cast<double>(i) / Tasa;
        const double x = t / largo;
        if (i % 110 == 0) {
            aspereza = r.Entre(0.55, 1.0);  // the grain of the snow, every 5 ms
            banda.Afina(2600.0 - 1400.0 * x);
        }
        const double n = r.Siguiente();
        const double env = std::min(1.0, t / 0.02) * (1.0 - x) * (1.0 - x);
        v[i] = env * aspereza * (banda.Paso(n) + 0.25 * alto.Paso(n));
    }
    Bordes(v, 0.0, 0.02);
    return Normaliza(v);
}
