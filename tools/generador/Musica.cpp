// The arranger: reads a tune's notes and chords and writes the melody,
// doubling, harmony, bass and drum tracks in the style the tune asks for.
#include "Musica.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int Negra = 96;  // ticks per quarter note

// Channels of the parts; 9 is General MIDI's drum channel.
const int CanalMelodia = 0, CanalDoble = 1, CanalArmonia = 2, CanalBajo = 3, CanalBateria = 9;

// General MIDI drum notes.
const int Bombo = 36, Caja = 38, Palmas = 39, CharlesCerrado = 42, CharlesAbierto = 46, Platillo = 49,
          Pandereta = 54;

struct Nota {
    int tono;      // MIDI note, -1 for a rest
    int duracion;  // ticks
};

struct Acorde {
    int raiz;                 // pitch class 0..11
    std::vector<int> grados;  // semitones above the root
    int tercera;              // 3 or 4
    int inicio, duracion;     // ticks
};

int ClaseTono(char letra)
{
    static const int tonos[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    return tonos[letra - 'A'];
}

// Reads the accidental after a note letter; moves i past it.
int Alteracion(const std::string& s, size_t& i)
{
    if (i < s.size() && s[i] == '#') {
        i++;
        return 1;
    }
    if (i < s.size() && s[i] == 'b') {
        i++;
        return -1;
    }
    return 0;
}

int Duracion(const std::string& s, size_t& i)
{
    if (i >= s.size())
        return -1;
    int d;
    switch (s[i++]) {
    case 'w': d = 4 * Negra; break;
    case 'h': d = 2 * Negra; break;
    case 'q': d = Negra; break;
    case 'e': d = Negra / 2; break;
    case 's': d = Negra / 4; break;
    case 't': d = Negra / 3; break;  // triplet eighth
    default: return -1;
    }
    if (i < s.size() && s[i] == '.') {
        d += d / 2;
        i++;
    }
    return i == s.size() ? d : -1;
}

// "C5q", "F#5e.", "Bb4h", "Rq": returns false on anything else.
bool LeeNota(const std::string& s, Nota& n)
{
    size_t i = 0;
    if (s.empty())
        return false;
    if (s[0] == 'R') {
        i = 1;
        n.tono = -1;
        n.duracion = Duracion(s, i);
        return n.duracion > 0;
    }
    if (s[0] < 'A' || s[0] > 'G')
        return false;
    i = 1;
    int pc = ClaseTono(s[0]) + Alteracion(s, i);
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i])))
        return false;
    int octava = s[i++] - '0';
    n.tono = (octava + 1) * 12 + pc;
    n.duracion = Duracion(s, i);
    return n.duracion > 0;
}

// "C", "Am", "G7", "Bm7", "F#m": returns false on anything else.
bool LeeAcorde(const std::string& s, Acorde& a)
{
    if (s.empty() || s[0] < 'A' || s[0] > 'G')
        return false;
    size_t i = 1;
    a.raiz = (ClaseTono(s[0]) + Alteracion(s, i) + 12) % 12;
    a.tercera = 4;
    if (i < s.size() && s[i] == 'm') {
        a.tercera = 3;
        i++;
    }
    a.grados = {0, a.tercera, 7};
    if (i < s.size() && s[i] == '7') {
        a.grados.push_back(10);
        i++;
    }
    return i == s.size();
}

std::vector<std::string> Palabras(const char* texto)
{
    std::istringstream in(texto);
    std::vector<std::string> v;
    std::string p;
    while (in >> p)
        v.push_back(p);
    return v;
}

// Chord tones within one octave from F#3, around middle C.
std::vector<int> Voces(const Acorde& a)
{
    std::vector<int> v;
    for (int g : a.grados) {
        int n = 48 + (a.raiz + g) % 12;
        if (n < 54)
            n += 12;
        v.push_back(n);
    }
    std::sort(v.begin(), v.end());
    return v;
}

int Bajo(const Acorde& a)
{
    int n = 36 + a.raiz;  // C2 .. B2
    if (n > 43)
        n -= 12;          // keep the low notes within the bass's range
    return n;
}

void HazArmonia(const Arreglo& a, const std::vector<Acorde>& acordes, Pista& p)
{
    const int tiempo = Negra;
    for (const Acorde& c : acordes) {
        std::vector<int> voces = Voces(c);
        const int fin = c.inicio + c.duracion;
        switch (a.estiloArmonia) {
        case ArmoniaGolpes:
            // Stabs on the off-beats.
            for (int t = c.inicio; t < fin; t += tiempo)
                if (((t / tiempo) % 2) == 1)
                    for (int n : voces)
                        p.Nota(CanalArmonia, t, tiempo * 2 / 3, n, 62);
            break;
        case ArmoniaSostenida:
            for (int n : voces)
                p.Nota(CanalArmonia, c.inicio, c.duracion - 4, n, 50);
            break;
        case ArmoniaArpegio: {
            // Up and down the chord in eighths.
            std::vector<int> escala = voces;
            escala.push_back(voces[0] + 12);
            const int orden[6] = {0, 1, 2, 3, 2, 1};
            int k = 0;
            for (int t = c.inicio; t < fin; t += tiempo / 2, k++) {
                int n = escala[orden[k % 6] % escala.size()];
                p.Nota(CanalArmonia, t, tiempo / 2 - 4, n, (k % 2) ? 48 : 58);
            }
            break;
        }
        case ArmoniaVals:
            // Oom-pah-pah: the chord on the second and third beats.
            for (int t = c.inicio; t < fin; t += tiempo)
                if (((t / tiempo) % a.tiempos) != 0)
                    for (int n : voces)
                        p.Nota(CanalArmonia, t, tiempo / 2, n, 56);
            break;
        }
    }
}

void HazBajo(const Arreglo& a, const std::vector<Acorde>& acordes, Pista& p)
{
    int compas = 0;
    for (const Acorde& c : acordes) {
        const int raiz = Bajo(c);
        const int fin = c.inicio + c.duracion;
        switch (a.estiloBajo) {
        case BajoDos:
            for (int t = c.inicio, k = 0; t < fin; t += 2 * Negra, k++)
                p.Nota(CanalBajo, t, std::min(2 * Negra, fin - t) - 8, k % 2 ? raiz + 7 : raiz, 96);
            break;
        case BajoOctavas:
            for (int t = c.inicio, k = 0; t < fin; t += Negra / 2, k++)
                p.Nota(CanalBajo, t, Negra / 2 - 6, k % 2 ? raiz + 12 : raiz, k % 2 ? 80 : 98);
            break;
        case BajoPaseo: {
            const int paso[4] = {0, c.tercera, 7, c.tercera};
            for (int t = c.inicio, k = 0; t < fin; t += Negra, k++)
                p.Nota(CanalBajo, t, Negra - 8, raiz + paso[k % 4], 92);
            break;
        }
        case BajoVals:
            if (c.inicio % (a.tiempos * Negra) == 0)
                p.Nota(CanalBajo, c.inicio, Negra, (compas++ % 2) ? raiz + 7 : raiz, 100);
            break;
        }
    }
}

void HazBateria(const Arreglo& a, int compases, Pista& p)
{
    const int largoCompas = a.tiempos * Negra;
    for (int b = 0; b < compases; b++) {
        const int t0 = b * largoCompas;
        const bool ultimoFrase = (b % 8) == 7;
        if (b % 8 == 0)
            p.Nota(CanalBateria, t0, Negra, Platillo, 96);
        for (int tiempo = 0; tiempo < a.tiempos; tiempo++) {
            const int t = t0 + tiempo * Negra;
            const bool redoble = ultimoFrase && tiempo == a.tiempos - 1;
            if (redoble) {
                // A short snare roll closes each eight-bar phrase.
                for (int k = 0; k < 4; k++)
                    p.Nota(CanalBateria, t + k * Negra / 4, Negra / 4, Caja, 70 + 8 * k);
                continue;
            }
            switch (a.estiloBateria) {
            case BateriaMarcha:
                p.Nota(CanalBateria, t, Negra / 2, tiempo % 2 ? Caja : Bombo, tiempo % 2 ? 90 : 104);
                p.Nota(CanalBateria, t, Negra / 4, CharlesCerrado, 70);
                p.Nota(CanalBateria, t + Negra / 2, Negra / 4, CharlesCerrado, 50);
                break;
            case BateriaPolca:
                p.Nota(CanalBateria, t, Negra / 2, tiempo % 2 ? Caja : Bombo, tiempo % 2 ? 80 : 100);
                p.Nota(CanalBateria, t + Negra / 2, Negra / 4, Pandereta, 64);
                if (tiempo % 2)
                    p.Nota(CanalBateria, t, Negra / 4, Palmas, 50);
                break;
            case BateriaVals:
                if (tiempo == 0) {
                    p.Nota(CanalBateria, t, Negra / 2, Bombo, 100);
                    p.Nota(CanalBateria, t, Negra / 4, Pandereta, 72);
                } else {
                    p.Nota(CanalBateria, t, Negra / 4, CharlesCerrado, 62);
                }
                break;
            case BateriaRapida:
                if (tiempo % 2 == 0)
                    p.Nota(CanalBateria, t, Negra / 2, Bombo, 106);
                else
                    p.Nota(CanalBateria, t, Negra / 2, Caja, 94);
                if (tiempo == 1)
                    p.Nota(CanalBateria, t + Negra / 2, Negra / 4, Bombo, 84);
                p.Nota(CanalBateria, t, Negra / 4, CharlesCerrado, 72);
                p.Nota(CanalBateria, t + Negra / 2, Negra / 4,
                       tiempo == a.tiempos - 1 ? CharlesAbierto : CharlesCerrado, 56);
                break;
            }
        }
    }
}

void Prepara(Pista& p, int canal, int programa, int volumen, int pan)
{
    if (programa >= 0)
        p.Programa(canal, 0, programa);
    p.Control(canal, 0, 7, volumen);
    p.Control(canal, 0, 10, pan);
}

}  // namespace

int Arregla(const Arreglo& a, Tema& t)
{
    const int largoCompas = a.tiempos * Negra;

    // Chords: one bar each, or split in two.
    std::vector<Acorde> acordes;
    std::vector<std::string> compases = Palabras(a.acordes);
    for (size_t b = 0; b < compases.size(); b++) {
        std::vector<std::string> partes;
        std::string s = compases[b];
        size_t coma = s.find(',');
        partes.push_back(s.substr(0, coma));
        if (coma != std::string::npos)
            partes.push_back(s.substr(coma + 1));
        const int primera = partes.size() == 1 ? largoCompas : ((a.tiempos + 1) / 2) * Negra;
        for (size_t k = 0; k < partes.size(); k++) {
            Acorde c;
            if (!LeeAcorde(partes[k], c)) {
                std::fprintf(stderr, "chord not understood: %s\n", partes[k].c_str());
                return 1;
            }
            c.inicio = static_cast<int>(b) * largoCompas + (k ? primera : 0);
            c.duracion = k ? largoCompas - primera : primera;
            acordes.push_back(c);
        }
    }
    const int total = static_cast<int>(compases.size()) * largoCompas;

    // Melody, and its doubling an octave up.
    Pista melodia, doble, armonia, bajo, bateria;
    melodia.Tempo(0, 60000000 / a.negrasMinuto);
    Prepara(melodia, CanalMelodia, a.instMelodia, 100, 64);
    int ahora = 0;
    for (const std::string& s : Palabras(a.melodia)) {
        Nota n;
        if (!LeeNota(s, n)) {
            std::fprintf(stderr, "note not understood: %s\n", s.c_str());
            return 1;
        }
        if (n.tono >= 0) {
            const int acento = (ahora % largoCompas) == 0 ? 12 : ((ahora % Negra) == 0 ? 4 : 0);
            melodia.Nota(CanalMelodia, ahora, n.duracion * 9 / 10, n.tono, 92 + acento);
            if (a.instDoble >= 0)
                doble.Nota(CanalDoble, ahora, n.duracion * 3 / 4, n.tono + 12, 44 + acento);
        }
        ahora += n.duracion;
    }
    if (ahora != total) {
        std::fprintf(stderr, "tune and chords differ: %d ticks of notes, %d of chords\n", ahora, total);
        return 1;
    }

    Prepara(doble, CanalDoble, a.instDoble, 80, 84);
    Prepara(armonia, CanalArmonia, a.instArmonia, 84, 44);
    Prepara(bajo, CanalBajo, a.instBajo, 110, 64);
    Prepara(bateria, CanalBateria, -1, 127, 64);  // the drum kit is the quietest patch set
    HazArmonia(a, acordes, armonia);
    HazBajo(a, acordes, bajo);
    HazBateria(a, static_cast<int>(compases.size()), bateria);

    t.divisiones = Negra;
    t.pistas.clear();
    t.pistas.push_back(melodia.Bytes(total));
    if (a.instDoble >= 0)
        t.pistas.push_back(doble.Bytes(total));
    t.pistas.push_back(armonia.Bytes(total));
    t.pistas.push_back(bajo.Bytes(total));
    t.pistas.push_back(bateria.Bytes(total));
    return 0;
}
