// The tunes and sound effects of datos.dat: tunes that play as complete
// General MIDI arrangements and loop cleanly, effects that are heard, never
// clip, and sound like what they stand for.
#include <gtest/gtest.h>

#include <allegro.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const int DrumChannel = 9;

// One note or tempo change read back from a track.
struct Evento {
    long tick;
    int estado;  // status byte; 0xFF for meta events
    int d1, d2;  // data bytes (meta: type and length)
};

// Reads a track of Allegro's MIDI object; false if its bytes are not well formed
// or it does not close with the end-of-track event at its very end.
bool LeePista(const unsigned char* p, int largo, std::vector<Evento>& eventos, long& fin)
{
    int i = 0, corriente = 0;
    long tick = 0;
    auto variable = [&](long& v) {
        v = 0;
        for (int k = 0; k < 4 && i < largo; k++) {
            const int b = p[i++];
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    };
    while (i < largo) {
        long delta;
        if (!variable(delta))
            return false;
        tick += delta;
        if (i >= largo)
            return false;
        int estado = p[i];
        if (estado & 0x80)
            i++;
        else if (corriente)
            estado = corriente;
        else
            return false;
        if (estado == 0xFF) {
            if (i >= largo)
                return false;
            const int tipo = p[i++];
            long n;
            if (!variable(n) || i + n > largo)
                return false;
            eventos.push_back(Evento{tick, 0xFF, tipo, static_cast<int>(n)});
            i += static_cast<int>(n);
            if (tipo == 0x2F) {
                fin = tick;
                return i == largo;
            }
        } else if (estado == 0xF0 || estado == 0xF7) {
            long n;
            if (!variable(n) || i + n > largo)
                return false;
            i += static_cast<int>(n);
        } else {
            corriente = estado;
            const int datos = ((estado & 0xF0) == 0xC0 || (estado & 0xF0) == 0xD0) ? 1 : 2;
            if (i + datos > largo)
                return false;
            eventos.push_back(Evento{tick, estado, p[i], datos == 2 ? p[i + 1] : 0});
            i += datos;
        }
    }
    return false;
}

// What a tune holds, gathered from all its tracks.
struct Resumen {
    bool legible = true;
    std::set<long> finales;                  // end-of-track ticks
    std::map<int, std::vector<int>> notas;   // channel -> pitches of its notes, in order
    int tempos = 0;
    int colgadas = 0;                        // notes still sounding when the tune ends
};

Resumen Resume(const MIDI* m)
{
    Resumen r;
    for (int t = 0; t < MIDI_TRACKS; t++) {
        if (!m->track[t].data || m->track[t].len == 0)
            continue;
        std::vector<Evento> ev;
        long fin = -1;
        if (!LeePista(m->track[t].data, m->track[t].len, ev, fin)) {
            r.legible = false;
            continue;
        }
        r.finales.insert(fin);
        std::map<int, int> sonando;
        for (const Evento& e : ev) {
            const int tipo = e.estado & 0xF0, canal = e.estado & 0x0F;
            if (e.estado == 0xFF && e.d1 == 0x51)
                r.tempos++;
            if (tipo == 0x90 && e.d2 > 0) {
                r.notas[canal].push_back(e.d1);
                sonando[canal * 128 + e.d1]++;
            } else if (tipo == 0x80 || (tipo == 0x90 && e.d2 == 0)) {
                sonando[canal * 128 + e.d1]--;
            }
        }
        for (const auto& s : sonando)
            r.colgadas += s.second > 0 ? s.second : 0;
    }
    return r;
}

// A sample's values as -1..1, whatever its bit depth (the library keeps them unsigned).
std::vector<double> Valores(const SAMPLE* s)
{
    std::vector<double> v(s->len);
    for (unsigned long i = 0; i < s->len; i++) {
        if (s->bits == 8)
            v[i] = (static_cast<const unsigned char*>(s->data)[i] - 128) / 128.0;
        else
            v[i] = (static_cast<const unsigned short*>(s->data)[i] - 32768) / 32768.0;
    }
    return v;
}

double Rms(const std::vector<double>& v, size_t desde, size_t hasta)
{
    double suma = 0.0;
    for (size_t i = desde; i < hasta && i < v.size(); i++)
        suma += v[i] * v[i];
    return hasta > desde ? std::sqrt(suma / (hasta - desde)) : 0.0;
}

// Pitch of a stretch of a sample, from its autocorrelation over lags for
// 80..1200 Hz: the shortest lag that comes close to the best one, so a
// multiple of the period is not taken for it.
double Tono(const std::vector<double>& v, int frecuencia, size_t desde, size_t largo)
{
    const int primero = frecuencia / 1200, ultimo = frecuencia / 80;
    std::vector<double> c(ultimo + 2, 0.0);
    double mejor = 0.0;
    for (int lag = primero; lag <= ultimo + 1; lag++) {
        for (size_t i = desde; i < desde + largo && i + lag < v.size(); i++)
            c[lag] += v[i] * v[i + lag];
        if (lag <= ultimo)
            mejor = std::max(mejor, c[lag]);
    }
    for (int lag = primero + 1; lag <= ultimo; lag++)
        if (c[lag] >= 0.85 * mejor && c[lag] >= c[lag - 1] && c[lag] >= c[lag + 1])
            return static_cast<double>(frecuencia) / lag;
    return 0.0;
}

class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
        set_color_depth(16);
        datos = load_datafile("datos.dat");
        ASSERT_NE(datos, nullptr);
    }
    void TearDown() override
    {
        if (datos)
            unload_datafile(datos);
        allegro_exit();
    }
    const MIDI* Tune(int i) { return static_cast<const MIDI*>(datos[i].dat); }
    const SAMPLE* Efecto(int i) { return static_cast<const SAMPLE*>(datos[i].dat); }

    DATAFILE* datos = nullptr;
};

TEST_F(Audio, EveryTuneHasMelodyBassAndDrumsAndLoopsCleanly)
{
    for (int i = 21; i <= 25; i++) {
        ASSERT_EQ(datos[i].type, DAT_MIDI) << "object " << i;
        const Resumen r = Resume(Tune(i));
        EXPECT_TRUE(r.legible) << "object " << i;
        EXPECT_GE(r.tempos, 1) << "object " << i;
        // All tracks end together, so the loop restarts the whole band at once.
        EXPECT_EQ(r.finales.size(), 1u) << "object " << i;
        EXPECT_EQ(r.colgadas, 0) << "notes left sounding into the loop, object " << i;
        ASSERT_TRUE(r.notas.count(DrumChannel)) << "no drums, object " << i;
        EXPECT_GE(r.notas.at(DrumChannel).size(), 50u) << "object " << i;
        bool melodia = false, bajo = false;
        int canales = 0;
        for (const auto& c : r.notas) {
            if (c.first == DrumChannel)
                continue;
            canales++;
            int agudas = 0, graves = 0;
            for (int n : c.second) {
                agudas += n >= 67;
                graves += n < 48;
            }
            melodia = melodia || agudas * 2 > static_cast<int>(c.second.size());
            bajo = bajo || graves * 2 > static_cast<int>(c.second.size());
        }
        EXPECT_TRUE(melodia) << "object " << i;
        EXPECT_TRUE(bajo) << "object " << i;
        EXPECT_GE(canales, 3) << "melody, harmony and bass, object " << i;
    }
}

TEST_F(Audio, TunesLastHalfAMinuteToAMinuteAndAHalfBeforeLooping)
{
    for (int i = 21; i <= 25; i++) {
        const int segundos = get_midi_length(const_cast<MIDI*>(Tune(i)));
        EXPECT_GE(segundos, 30) << "object " << i;
        EXPECT_LE(segundos, 90) << "object " << i;
    }
}

TEST_F(Audio, EveryTuneHasItsOwnMelody)
{
    std::vector<std::vector<int>> melodias;
    for (int i = 21; i <= 25; i++) {
        const Resumen r = Resume(Tune(i));
        ASSERT_TRUE(r.notas.count(0)) << "object " << i;
        std::vector<int> inicio(r.notas.at(0).begin(), r.notas.at(0).begin() + std::min<size_t>(16, r.notas.at(0).size()));
        for (const auto& otra : melodias)
            EXPECT_NE(inicio, otra) << "object " << i;
        melodias.push_back(inicio);
    }
}

TEST_F(Audio, EffectsAreHeardWithoutClippingOrClicks)
{
    for (int i : {0, 1, 2, 5, 7, 8, 19, 26, 27}) {
        ASSERT_EQ(datos[i].type, DAT_SAMPLE) << "object " << i;
        const SAMPLE* s = Efecto(i);
        EXPECT_GE(s->freq, 22050) << "object " << i;
        EXPECT_FALSE(s->stereo) << "object " << i;
        const std::vector<double> v = Valores(s);
        ASSERT_GT(v.size(), 1000u) << "object " << i;
        double pico = 0.0;
        for (double x : v)
            pico = std::max(pico, std::fabs(x));
        EXPECT_LT(pico, 0.99) << "object " << i;
        EXPECT_GT(pico, 0.5) << "object " << i;
        EXPECT_GT(Rms(v, 0, v.size()), 0.03) << "object " << i;
        EXPECT_LT(std::fabs(v.front()), 0.02) << "starts with a click, object " << i;
        EXPECT_LT(std::fabs(v.back()), 0.02) << "ends with a click, object " << i;
    }
}

TEST_F(Audio, EffectsLastAsLongAsWhatTheyAccompany)
{
    const struct {
        int indice;
        double minimo, maximo;
    } tabla[] = {{0, 0.6, 1.5}, {1, 3.0, 5.0}, {2, 1.5, 3.0}, {5, 0.7, 1.5}, {7, 0.7, 1.5},
                 {8, 1.5, 3.0}, {19, 0.2, 1.0}, {26, 0.2, 1.0}, {27, 0.3, 0.8}};
    for (const auto& e : tabla) {
        const SAMPLE* s = Efecto(e.indice);
        const double segundos = static_cast<double>(s->len) / s->freq;
        EXPECT_GE(segundos, e.minimo) << "object " << e.indice;
        EXPECT_LE(segundos, e.maximo) << "object " << e.indice;
    }
}

// The siren sounds all through an ambulance's crossing, alternating two pitches.
TEST_F(Audio, SirenAlternatesTwoTonesThroughTheCrossing)
{
    const SAMPLE* s = Efecto(1);
    const std::vector<double> v = Valores(s);
    const size_t ventana = s->freq / 10;
    std::vector<double> tonos;
    for (size_t i = ventana; i + 2 * ventana < v.size(); i += ventana) {
        EXPECT_GT(Rms(v, i, i + ventana), 0.1) << "silent at " << static_cast<double>(i) / s->freq << " s";
        tonos.push_back(Tono(v, s->freq, i, ventana / 2));
    }
    const double bajo = *std::min_element(tonos.begin(), tonos.end());
    const double alto = *std::max_element(tonos.begin(), tonos.end());
    EXPECT_GT(alto / bajo, 1.15);
    int cambios = 0;
    for (size_t k = 1; k < tonos.size(); k++)
        cambios += (tonos[k] > (alto + bajo) / 2) != (tonos[k - 1] > (alto + bajo) / 2);
    EXPECT_GE(cambios, 4);
}

// The missed-gate groan and the game-over sting both fall in pitch.
TEST_F(Audio, GroanAndGameOverStingFallInPitch)
{
    for (int i : {0, 8}) {
        const SAMPLE* s = Efecto(i);
        const std::vector<double> v = Valores(s);
        const size_t ventana = s->freq / 10;
        const double antes = Tono(v, s->freq, ventana / 2, ventana);
        const double despues = Tono(v, s->freq, v.size() * 6 / 10, ventana);
        EXPECT_LT(despues, antes * 0.9) << "object " << i << ": " << antes << " Hz then " << despues << " Hz";
    }
}

// Through the sound card (here an ALSA file sink) the menu tune is heard,
// played by the library's software synthesizer with the MIDI patch set.
TEST(Sonido, MenuTuneIsHeardThroughThePatchSet)
{
    char dir[512];
    ASSERT_NE(getcwd(dir, sizeof(dir)), nullptr);
    const std::string captura = std::string(dir) + "/captura.raw";
    const std::string conf = std::string(dir) + "/alsa.conf";
    FILE* f = std::fopen(conf.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "pcm.!default { type file; slave.pcm \"null\"; file \"%s\"; format \"raw\" }\n", captura.c_str());
    std::fclose(f);
    setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + conf).c_str(), 1);
    setenv("ALLEGRO", dir, 1);  // where the patch set is found

    ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
    install_timer();
    ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr), 0) << allegro_error;
    ASSERT_EQ(midi_driver->id, MIDI_DIGMID);
    set_volume(128, 128);
    DATAFILE* datos = load_datafile("datos.dat");
    ASSERT_NE(datos, nullptr);
    play_midi(static_cast<MIDI*>(datos[21].dat), TRUE);
    rest(1500);
    play_midi(nullptr, FALSE);
    remove_sound();
    unload_datafile(datos);
    allegro_exit();

    // The capture: 16-bit unsigned stereo frames.
    f = std::fopen(captura.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned short> v;
    unsigned short x;
    while (std::fread(&x, sizeof(x), 1, f) == 1)
        v.push_back(x);
    std::fclose(f);
    ASSERT_GT(v.size(), 44100u);
    double suma = 0.0;
    int pico = 0;
    for (unsigned short s : v) {
        const int d = static_cast<int>(s) - 32768;
        suma += static_cast<double>(d) * d;
        pico = std::max(pico, std::abs(d));
    }
    EXPECT_GT(std::sqrt(suma / v.size()), 300.0);
    EXPECT_LT(pico, 32700);
}

}  // namespace
