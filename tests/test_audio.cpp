// The tunes and sound effects of datos.dat: tunes that play as complete
// General MIDI arrangements and loop cleanly, effects that are heard and
// never clip.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>
#include "Datos.h"

namespace {

const int DrumChannel = 9;

// What a tune holds, gathered from all its tracks.
struct Resumen {
    bool legible = true;
    std::set<long> finales;                 // end-of-track ticks
    std::map<int, std::vector<int>> notas;  // channel -> pitches of its notes, in order
    int tempos = 0;
    int colgadas = 0;                       // notes still sounding when their track ends
};

// Reads one track of Allegro's MIDI object into `r`; false unless its bytes
// are well formed and it closes with the end-of-track event at its very end.
bool LeePista(const unsigned char* p, long largo, Resumen& r)
{
    long i = 0, tick = 0, n;
    int corriente = 0;
    std::map<int, int> sonando;
    auto variable = [&](long& v) {
        v = 0;
        for (int k = 0; k < 4 && i < largo; k++) {
            v = (v << 7) | (p[i] & 0x7F);
            if (!(p[i++] & 0x80)) return true;
        }
        return false;
    };
    while (i < largo && variable(n)) {
        tick += n;
        if (i >= largo) return false;
        const int estado = (p[i] & 0x80) ? p[i++] : corriente;
        if (estado == 0) return false;
        if (estado == 0xFF || estado == 0xF0 || estado == 0xF7) {
            const int tipo = estado == 0xFF && i < largo ? p[i++] : -1;
            if (!variable(n) || i + n > largo) return false;
            i += n;
            r.tempos += tipo == 0x51;
            if (tipo == 0x2F) {
                r.finales.insert(tick);
                for (const auto& s : sonando) r.colgadas += std::max(0, s.second);
                return i == largo;
            }
            continue;
        }
        corriente = estado;
        const int tipo = estado & 0xF0, canal = estado & 0x0F, datos = (tipo == 0xC0 || tipo == 0xD0) ? 1 : 2;
        if (i + datos > largo) return false;
        if (tipo == 0x90 && p[i + 1] > 0) {
            r.notas[canal].push_back(p[i]);
            sonando[canal * 128 + p[i]]++;
        } else if (tipo == 0x80 || tipo == 0x90) {
            sonando[canal * 128 + p[i]]--;
        }
        i += datos;
    }
    return false;
}

Resumen Resume(const MIDI* m)
{
    Resumen r;
    for (int t = 0; t < MIDI_TRACKS; t++)
        if (m->track[t].data && m->track[t].len > 0)
            r.legible = LeePista(m->track[t].data, m->track[t].len, r) && r.legible;
    return r;
}

// A sample's values as -1..1, whatever its bit depth (the library keeps them unsigned).
std::vector<double> Valores(const SAMPLE* s)
{
    std::vector<double> v(s->len);
    for (unsigned long i = 0; i < s->len; i++)
        v[i] = s->bits == 8 ? (static_cast<const unsigned char*>(s->data)[i] - 128) / 128.0
                            : (static_cast<const unsigned short*>(s->data)[i] - 32768) / 32768.0;
    return v;
}

double Rms(const std::vector<double>& v, size_t desde, size_t hasta)
{
    double suma = 0.0;
    for (size_t i = desde; i < hasta && i < v.size(); i++) suma += v[i] * v[i];
    return hasta > desde ? std::sqrt(suma / (hasta - desde)) : 0.0;
}

class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
        set_color_depth(16);
        datos = load_datafile(ArchivoDatos);
        ASSERT_NE(datos, nullptr);
    }
    void TearDown() override
    {
        if (datos) unload_datafile(datos);
        allegro_exit();
    }

    DATAFILE* datos = nullptr;
};

}  // namespace

TEST_F(Audio, EveryTuneIsItsOwnBandOfMelodyBassAndDrumsLoopingEvery30To90Seconds)
{
    std::vector<std::vector<int>> melodias;
    for (int i = DatMusicaMenu; i <= DatMusicaNivel3; i++) {
        ASSERT_EQ(datos[i].type, DAT_MIDI) << "object " << i;
        MIDI* m = static_cast<MIDI*>(datos[i].dat);
        const int segundos = get_midi_length(m);
        EXPECT_TRUE(segundos >= 30 && segundos <= 90) << "object " << i << " lasts " << segundos << " s";
        const Resumen r = Resume(m);
        EXPECT_TRUE(r.legible) << "object " << i;
        EXPECT_GE(r.tempos, 1) << "object " << i;
        // All tracks end together, so the loop restarts the whole band at once.
        EXPECT_EQ(r.finales.size(), 1u) << "object " << i;
        EXPECT_EQ(r.colgadas, 0) << "notes left sounding into the loop, object " << i;
        ASSERT_TRUE(r.notas.count(DrumChannel) && r.notas.count(0)) << "drums and melody, object " << i;
        EXPECT_GE(r.notas.at(DrumChannel).size(), 50u) << "object " << i;
        bool melodia = false, bajo = false;
        for (const auto& c : r.notas) {
            if (c.first == DrumChannel) continue;
            const long agudas = std::count_if(c.second.begin(), c.second.end(), [](int n) { return n >= 67; });
            const long graves = std::count_if(c.second.begin(), c.second.end(), [](int n) { return n < 48; });
            melodia = melodia || agudas * 2 > static_cast<long>(c.second.size());
            bajo = bajo || graves * 2 > static_cast<long>(c.second.size());
        }
        EXPECT_TRUE(melodia && bajo) << "object " << i;
        EXPECT_GE(r.notas.size(), 4u) << "melody, harmony, bass and drums, object " << i;
        // No tune is another's copy: the first notes of the melodies differ.
        const std::vector<int>& tema = r.notas.at(0);
        std::vector<int> inicio(tema.begin(), tema.begin() + std::min<size_t>(16, tema.size()));
        for (const auto& otra : melodias) EXPECT_NE(inicio, otra) << "object " << i;
        melodias.push_back(inicio);
    }
}

TEST_F(Audio, EffectsAreHeardWithoutClippingOrClicksForAsLongAsTheirMoment)
{
    const struct { int indice; double minimo, maximo; } tabla[] = {
        {DatAhh, 0.6, 1.5}, {DatSirena, 3.0, 5.0}, {DatAplauso, 1.5, 3.0}, {DatCaja, 0.7, 1.5},
        {DatExtra, 0.7, 1.5}, {DatFin, 1.5, 3.0},  {DatGolpe, 0.2, 1.0},  {DatCrujido, 0.2, 1.0},
        {DatEsqui, 0.3, 0.8}};
    for (const auto& e : tabla) {
        ASSERT_EQ(datos[e.indice].type, DAT_SAMPLE) << "object " << e.indice;
        const SAMPLE* s = static_cast<const SAMPLE*>(datos[e.indice].dat);
        EXPECT_GE(s->freq, 22050) << "object " << e.indice;
        EXPECT_FALSE(s->stereo) << "object " << e.indice;
        const double segundos = static_cast<double>(s->len) / s->freq;
        EXPECT_TRUE(segundos >= e.minimo && segundos <= e.maximo) << "object " << e.indice << ": " << segundos << " s";
        const std::vector<double> v = Valores(s);
        ASSERT_GT(v.size(), 1000u) << "object " << e.indice;
        double pico = 0.0;
        for (double x : v) pico = std::max(pico, std::fabs(x));
        EXPECT_TRUE(pico > 0.5 && pico < 0.99) << "object " << e.indice << " peaks at " << pico;
        EXPECT_GT(Rms(v, 0, v.size()), 0.03) << "object " << e.indice;
        EXPECT_LT(std::fabs(v.front()), 0.02) << "starts with a click, object " << e.indice;
        EXPECT_LT(std::fabs(v.back()), 0.02) << "ends with a click, object " << e.indice;
    }
    // The siren sounds all through an ambulance's crossing, without gaps.
    const SAMPLE* sirena = static_cast<const SAMPLE*>(datos[DatSirena].dat);
    const std::vector<double> v = Valores(sirena);
    const size_t ventana = sirena->freq / 10;
    for (size_t i = ventana; i + 2 * ventana < v.size(); i += ventana)
        EXPECT_GT(Rms(v, i, i + ventana), 0.1) << "silent at " << static_cast<double>(i) / sirena->freq << " s";
}
