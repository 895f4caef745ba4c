// Every speed figure of the game in one run: start-up to the title, as the
// game's entry does it; cutting the sprite sheet (SprManager::Init); one road
// step at levels 0, 10 and 20; one ski step on each course; each beside one
// bare full-frame copy of the back buffer to the screen (VuelcaBuffer), which
// every frame pays. Targets: a step costs at most 5 bare copies, and the
// title is on screen within a second of the process starting. A missed
// target is reported, not failed: the figures move with the machine.
#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

#include "Configuracion.h"
#include "Entorno.h"
#include "Esquiador.h"
#include "FaseDos.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "HiScore.h"
#include "Mensajes.h"
#include "Menus.h"
#include "Obstaculo.h"
#include "Pista.h"
#include "Sonido.h"
#include "SprManager.h"
#include "Trafico.h"
#include "Zumbelo.h"

class PruebaFaseUno {
public:
    static void Paso(FaseUno& f) { f.Paso(); }
};

class PruebaFaseDos {
public:
    static void Paso(FaseDos& f) { f.Paso(); }
    static void Reinicia(FaseDos& f)
    {
        f.choque = 0;
        f.resultado = 0;
    }
    // Rebuilds the course and scrolls it, without drawing, to hasta.
    static void Coloca(FaseDos& f, int hasta)
    {
        f.pista->Init();
        while (f.pista->VerMargen() != 0 || f.pista->VerDesplazamiento() < hasta) {
            f.fin = f.pista->Avanza(f.paso, f.desplazamiento, f.margen);
            if (f.fin) break;
        }
    }
};

class PruebaEsquiador {
public:
    // Far above the course: the collision pass walks every obstacle in view
    // but no crash stops the measured step.
    static void Aparta(Esquiador& e)
    {
        e.x = 320;
        e.y = 196;
        e.variante = 0;
        e.yPista = -100000;
        e.Actualiza();
    }
};

namespace {

using Reloj = std::chrono::steady_clock;

const double MaxCopiasPorPaso = 5.0;    // a step costs at most five bare copies
const double MaxArranqueMs = 1000.0;    // the title within a second
const int Rondas = 10;                  // rounds of steps alternate with rounds of copies
const int PorRonda = 200;
const int InitsRepetidos = 20;

double Micros(Reloj::time_point a, Reloj::time_point b)
{
    return std::chrono::duration<double, std::micro>(b - a).count();
}

double Mediana(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One line of the table: the median of what is measured and the median of
// the bare copies timed in alternation with it, so both met the same load.
struct Fila {
    std::string que, detalle;
    double us, copia;
    bool esPaso;
};

std::vector<Fila> Filas;

// Times medir one call at a time after an untimed prepara, in rounds that
// alternate with rounds of bare copies.
template <typename P, typename F>
void Alterna(const std::string& que, const std::string& detalle, P prepara, F medir, bool esPaso)
{
    std::vector<double> pasos, copias;
    for (int r = 0; r < Rondas; r++) {
        for (int n = 0; n < PorRonda; n++) {
            prepara();
            const Reloj::time_point t0 = Reloj::now();
            medir();
            pasos.push_back(Micros(t0, Reloj::now()));
        }
        for (int n = 0; n < PorRonda; n++) {
            const Reloj::time_point t0 = Reloj::now();
            H->VuelcaBuffer();
            copias.push_back(Micros(t0, Reloj::now()));
        }
    }
    Filas.push_back({que, detalle, Mediana(pasos), Mediana(copias), esPaso});
}

// Milliseconds from the start of this process (its fork) to now, from the
// kernel's start time in clock ticks: a resolution of 1/CLK_TCK s.
double MsDesdeInicioProceso()
{
    FILE* f = std::fopen("/proc/self/stat", "r");
    if (f == nullptr) return -1;
    char linea[1024];
    const bool leida = std::fgets(linea, sizeof linea, f) != nullptr;
    std::fclose(f);
    if (!leida) return -1;
    // Field 22 (starttime), counted after the command name's closing parenthesis.
    const char* p = std::strrchr(linea, ')');
    if (p == nullptr) return -1;
    unsigned long long inicio = 0;
    int campo = 2;
    for (const char* q = p + 1; *q != '\0'; q++) {
        if (*q == ' ') {
            campo++;
            if (campo == 22) {
                inicio = std::strtoull(q + 1, nullptr, 10);
                break;
            }
        }
    }
    struct timespec ahora;
    if (inicio == 0 || clock_gettime(CLOCK_BOOTTIME, &ahora) != 0) return -1;
    const double tics = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double ahoraS = static_cast<double>(ahora.tv_sec) + static_cast<double>(ahora.tv_nsec) / 1e9;
    return (ahoraS - static_cast<double>(inicio) / tics) * 1000.0;
}

// A scratch working directory beside links to the built datafile and patch
// set, with a settings file asking for a window with sound, as a player's.
std::string Temporal;

bool DirectorioPropio()
{
    char plantilla[] = "/tmp/zumbelo-medida-XXXXXX";
    const char* dir = mkdtemp(plantilla);
    if (dir == nullptr) return false;
    Temporal = dir;
    for (const char* nombre : {"datos.dat", "patches.dat"}) {
        const std::string origen = std::string(Entorno::DirectorioJuego()) + "/" + nombre;
        const std::string destino = Temporal + "/" + nombre;
        if (symlink(origen.c_str(), destino.c_str()) != 0) return false;
    }
    if (chdir(dir) != 0) return false;
    FILE* f = std::fopen("zumbelo.cfg", "wb");
    if (f == nullptr) return false;
    const unsigned char ventana[5] = {0, 1, 0, 1, 0};
    const bool escrito = std::fwrite(ventana, 1, sizeof ventana, f) == sizeof ventana;
    return std::fclose(f) == 0 && escrito;
}

// The stages of start-up, in the game's order; the first runs before main.
enum {
    AntesDeMain, Ajustes, Ventana, Datos, SonidoPropio, Objetos, CorteHoja, MenuDibujado, Fundido,
    Ultimo, Etapas
};
const char* const NombresEtapas[Etapas] = {
    "process start to main (10 ms steps)",
    "Configuracion, Hardware (library, keys, timer, sound)",
    "Hardware::InitGraph (the window)",
    "Hardware::Init (datos.dat)",
    "Sonido (its datafile copy)",
    "SprManager, Mensajes, Menus, HiScore",
    "SprManager::Init (first cut of the sheet)",
    "menu tune, title and menu drawn",
    "fade-in, 11 frames",
    "last frame: the title complete",
};
const int CuadrosFundido = 11;
const int Arranques = 5;  // the median of this many start-ups, each a process of its own

// Milliseconds of each stage of one start-up.
struct Arranque {
    double ms[Etapas];
    // The first frame of the fade-in is the first of the menu on screen.
    double PrimerCuadro() const
    {
        double t = 0;
        for (int e = 0; e <= MenuDibujado; e++) t += ms[e];
        return t + ms[Fundido] / CuadrosFundido;
    }
    double Total() const
    {
        double t = 0;
        for (int e = 0; e < Etapas; e++) t += ms[e];
        return t;
    }
};

// The game's start-up in its own order, up to the title with the main menu
// on screen as Menus::MenuPpal leaves it before its loop. False when no
// screen could be had.
bool Arranca(Arranque& a)
{
    a.ms[AntesDeMain] = std::max(0.0, MsDesdeInicioProceso());
    Reloj::time_point t = Reloj::now();
    auto marca = [&a, &t](int etapa) {
        const Reloj::time_point ahora = Reloj::now();
        a.ms[etapa] = Micros(t, ahora) / 1000.0;
        t = ahora;
    };
    Retorno = 0;
    ResMenu = 0;
    Config = new Configuracion;
    H = new Hardware;
    marca(Ajustes);
    if (H->InitGraph() != 0) return false;
    marca(Ventana);
    if (H->Init() != 0) return false;
    marca(Datos);
    SFX = new Sonido;
    marca(SonidoPropio);
    M = new SprManager;
    SMS = new Mensajes;
    Menu = new Menus;
    Record = new HiScore;
    marca(Objetos);
    M->Init();
    marca(CorteHoja);
    SFX->MMenu();
    Menu->Prepara();
    Menu->PpalTxt();
    H->CopyFondo();
    marca(MenuDibujado);
    H->Fundido(1);
    marca(Fundido);
    H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
    H->VuelcaBuffer();
    marca(Ultimo);
    SFX->MStop();
    return true;
}

void Desarma()
{
    delete Menu;
    Menu = nullptr;
    Entorno::Para();
    if (chdir("/") == 0) std::system(("rm -rf '" + Temporal + "'").c_str());
}

// One start-up in a fresh process: this program again, asked for that alone.
bool ArrancaAparte(Arranque& a)
{
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return false;
    exe[n] = '\0';
    FILE* p = popen(("exec '" + std::string(exe) + "' arranque 2>/dev/null").c_str(), "r");
    if (p == nullptr) return false;
    int leidos = 0;
    char palabra[32];
    if (std::fscanf(p, "%31s", palabra) == 1 && std::string(palabra) == "arranque")
        while (leidos < Etapas && std::fscanf(p, "%lf", &a.ms[leidos]) == 1) leidos++;
    return pclose(p) == 0 && leidos == Etapas;
}

// The scroll with the most obstacles on screen, and how many.
int MasDenso(Pista* p, int alturaTexto, int& cuantos)
{
    const int tope = alturaTexto + p->VerLongitud() - 480;
    int mejor = 0;
    cuantos = -1;
    for (int d = 0; d <= tope; d++) {
        int n = 0;
        for (Obstaculo* o = p->VerPrimero(); o != nullptr; o = o->VerSiguiente())
            if (o->VerY(true) > d && o->VerY() - d + alturaTexto <= 480) n++;
        if (n > cuantos) {
            cuantos = n;
            mejor = d;
        }
    }
    return mejor;
}

void MideCarretera()
{
    H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
    Dinero = 40;
    Puntos = 0;
    ProximaVida = 1000;
    for (int nivel : {0, 10, 20}) {
        srand(7 + nivel);
        Nivel = nivel;
        FaseUno* f = new FaseUno(1);
        f->Inicia(0);
        remove_int(Ret1);  // steps are driven here, not by the timer

        // Traffic as the phase makes it, until the road holds its fill.
        Trafico* t = f->VerTrafico();
        for (int n = 0; n < 20000 || t->Cuantos() < nivel + 16; ++n) {
            if (t->Cuantos() < nivel + 18 && rand() % 100 <= nivel) t->NuevoVehiculo();
            t->Mueve();
        }
        H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);

        // The hero stands at the top, out of the traffic's way.
        Zumbelo* z = f->VerHeroe();
        z->SetVelX(0);
        z->SetVelY(0);
        z->SetY(H->TextHeight() + 1);

        int minimo = 1000, maximo = 0;
        Alterna(
            "road step, level " + std::to_string(nivel), "", [&] {
                minimo = std::min(minimo, t->Cuantos());
                maximo = std::max(maximo, t->Cuantos());
            },
            [&] { PruebaFaseUno::Paso(*f); }, true);
        Filas.back().detalle = std::to_string(minimo) + "-" + std::to_string(maximo) + " vehicles";
        delete f;
    }
}

void MideEsqui()
{
    H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
    const int T = H->TextHeight();
    FaseDos fase(0);  // steps of 1 pixel, 200 a second
    for (int curso = 0; curso < 4; curso++) {
        Nivel = curso;
        Vidas = 3;
        Puntos = 0;
        Dinero = 40;
        ProximaVida = 1000000;
        fase.Inicia();
        remove_int(Ret2);
        int cuantos = 0;
        const int denso = MasDenso(fase.VerPista(), T, cuantos);
        Alterna(
            "ski step, course " + std::to_string(curso), std::to_string(cuantos) + " obstacles in view",
            [&] {
                PruebaFaseDos::Coloca(fase, denso);
                PruebaEsquiador::Aparta(*fase.VerEsquiador());
                PruebaFaseDos::Reinicia(fase);
            },
            [&] { PruebaFaseDos::Paso(fase); }, true);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const bool soloArranque = argc > 1 && std::string(argv[1]) == "arranque";
    // Start-ups of their own first, while nothing else of this run holds the display.
    std::vector<Arranque> arranques;
    for (int k = 0; !soloArranque && k + 1 < Arranques; k++) {
        Arranque a;
        if (ArrancaAparte(a)) arranques.push_back(a);
    }
    if (!DirectorioPropio()) {
        std::fprintf(stderr, "no scratch directory\n");
        return 1;
    }
    Arranque propio;
    if (!Arranca(propio)) {
        std::fprintf(stderr, "no screen or no datos.dat\n");
        Desarma();
        return 1;
    }
    if (soloArranque) {
        std::printf("arranque");
        for (int e = 0; e < Etapas; e++) std::printf(" %.3f", propio.ms[e]);
        std::printf("\n");
        Desarma();
        return 0;
    }
    arranques.push_back(propio);
    set_display_switch_mode(SWITCH_BACKGROUND);

    // The reference alone, then the sheet cut again as a change of graphic set does.
    Alterna("bare full-frame copy", "VuelcaBuffer, 640x480x16", [] {}, [] { H->VuelcaBuffer(); }, false);
    Filas[0].copia = Filas[0].us;  // the reference is its own yardstick
    std::vector<double> inits, primeros;
    for (int n = 0; n < InitsRepetidos; n++) {
        const Reloj::time_point t0 = Reloj::now();
        M->Init();
        inits.push_back(Micros(t0, Reloj::now()));
    }
    for (const Arranque& a : arranques) primeros.push_back(a.ms[CorteHoja] * 1000.0);
    Filas.push_back({"SprManager::Init, again", "85 figures", Mediana(inits), Filas[0].copia, false});
    Filas.push_back({"SprManager::Init, first", "at start-up", Mediana(primeros), Filas[0].copia, false});

    MideCarretera();
    MideEsqui();

    // Start-up: the median of each stage, and of the totals with their spread.
    std::printf("Start-up, in the game's order, to the title with the main menu (median of %zu):\n",
                arranques.size());
    for (int e = 0; e < Etapas; e++) {
        std::vector<double> v(arranques.size());
        for (size_t k = 0; k < arranques.size(); k++) v[k] = arranques[k].ms[e];
        std::printf("  %-55s %8.1f ms\n", NombresEtapas[e], Mediana(v));
    }
    std::vector<double> cuadros, totales;
    for (const Arranque& a : arranques) {
        cuadros.push_back(a.PrimerCuadro());
        totales.push_back(a.Total());
    }
    const double total = Mediana(totales);
    std::printf("  %-55s %8.1f ms\n", "= to the first menu frame on screen", Mediana(cuadros));
    std::printf("  %-55s %8.1f ms   (%.0f-%.0f; target < %.0f ms: %s)\n\n", "= to the title complete", total,
                *std::min_element(totales.begin(), totales.end()), *std::max_element(totales.begin(), totales.end()),
                MaxArranqueMs, total < MaxArranqueMs ? "met" : "MISSED");

    std::printf("%-28s %-26s %10s %10s %8s  %s\n", "what", "detail", "median us", "copy us", "copies",
                "target");
    bool todos = total < MaxArranqueMs;
    for (const Fila& f : Filas) {
        const double razon = f.copia > 0 ? f.us / f.copia : 0;
        std::string objetivo;
        if (f.esPaso) {
            const bool ok = razon <= MaxCopiasPorPaso;
            todos = todos && ok;
            objetivo = ok ? "<= 5: met" : "<= 5: MISSED";
        }
        std::printf("%-28s %-26s %10.1f %10.1f %8.2f  %s\n", f.que.c_str(), f.detalle.c_str(), f.us, f.copia,
                    razon, objetivo.c_str());
    }
    std::printf("\n%s\n", todos ? "All targets met." : "Some target MISSED (see above).");

    Desarma();
    return 0;
}
