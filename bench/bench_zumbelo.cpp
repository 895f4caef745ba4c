// Every speed figure of the game in one run: start-up to the title, as the
// game's entry does it; cutting the sprite sheet (SprManager::Init); one road
// step at levels 0, 10 and 20; one ski step on each course; showing a frame
// at 1x, 2x and 3x; each beside one bare full-frame copy of the back buffer
// to the screen, which every frame pays. Then the share of one core each
// screen of the game takes, at 1x and 2x, over 10 s of wall time. Targets: a
// step costs at most 5 bare copies, the title is on screen within a second of
// the process starting, a screen takes at most 5% of one core at 1x and 10%
// at 2x. A missed target is reported, not failed: the figures move with the
// machine.
#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Arranque.h"
#include "Configuracion.h"
#include "Datos.h"
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
#include "Partida.h"
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

class PruebaMenus {
public:
    static void Records(Menus& m) { m.Records(); }
    static void DefineTeclas(Menus& m) { m.DefineTeclas(); }
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
const double MaxCpu[2] = {5.0, 10.0};   // per cent of one core on any screen, at 1x and 2x
const int SegundosCpu = 10;             // wall time over which a screen's share is measured
const int AsientoMs = 1500;             // a screen's fade and first frames, left out of it
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

// A back buffer of the game's size (the visible picture and its guard
// band), and its bare full-frame copy to the screen, unscaled.
BITMAP* Atras = nullptr;

void CopiaDesnuda()
{
    blit(Atras, screen, Hardware::Margen, Hardware::Margen, 0, 0, Hardware::AnchoPantalla, Hardware::AltoPantalla);
}

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
            CopiaDesnuda();
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
// The start-up being timed, and when its last stage ended.
Arranque* Medido = nullptr;
Reloj::time_point FinEtapa;

// Ends stage e of the start-up being timed.
void Marca(int e)
{
    const Reloj::time_point ahora = Reloj::now();
    Medido->ms[e] = Micros(FinEtapa, ahora) / 1000.0;
    FinEtapa = ahora;
}

// The game's start-up stages, as the benchmark numbers them.
void TrasEtapa(int etapa)
{
    const int etapas[EtapasArranque] = {Ajustes, Ventana, Datos, SonidoPropio, Objetos, CorteHoja};
    Marca(etapas[etapa]);
}

bool Arranca(Arranque& a)
{
    a.ms[AntesDeMain] = std::max(0.0, MsDesdeInicioProceso());
    Medido = &a;
    FinEtapa = Reloj::now();
    Retorno = 0;
    ResMenu = 0;
    if (!ArrancaPantalla(TrasEtapa)) return false;
    ArrancaObjetos(TrasEtapa);
    auto marca = [](int etapa) { Marca(etapa); };
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
    Entorno::Para();
    if (chdir("/") == 0 && std::system(("rm -rf '" + Temporal + "'").c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", Temporal.c_str());
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
    H->SetFont(FuenteJuego, PaletaJuego);
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
    H->SetFont(FuenteJuego, PaletaJuego);
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

// Showing one frame of the title at scales 1 to 3, in a window of that
// scale: the picture widened k times and copied to the screen. A frame drawn
// within a refresh of the last one waits; the pause of 0 ms shows it.
void MidePresentacion()
{
    for (int k = 1; k <= 3; k++) {
        H->DeInit();
        H->PideEscala(k);
        if (H->InitGraph() != 0 || H->Init() != 0 || H->VerEscala() != k) {
            std::fprintf(stderr, "no window at %dx\n", k);
            continue;
        }
        set_display_switch_mode(SWITCH_BACKGROUND);
        H->SetFondo(DatTitulo);
        H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);
        Alterna("frame shown, " + std::to_string(k) + "x",
                std::to_string(640 * k) + "x" + std::to_string(480 * k), [] {},
                [] {
                    H->VuelcaBuffer();
                    H->Rest(0);
                },
                false);
    }
}

// ---------------------------------------------------------------- processor share

// The screens of the game, each run by a process of its own until it is
// killed: nothing is pressed, so each waits or plays on by itself.
const char* const Pantallas[] = {
    "main menu", "settings menu", "key definition", "hall of fame", "credits",
    "road phase", "ski phase", "pause box", "name entry",
};
const int NumPantallas = sizeof Pantallas / sizeof Pantallas[0];

// Runs screen n as the game does, with the pieces around it it needs, in a
// window of scale k; says "listo" on its standard output as it starts.
int EscalaPedida = 1;

// Asks for the window's scale before the screen is opened.
void PideEscala(int etapa)
{
    if (etapa == EtapaAjustes) H->PideEscala(EscalaPedida);
}

int CorrePantalla(int n, int k)
{
    EscalaPedida = k;
    if (!ArrancaPantalla(PideEscala)) return 1;
    ArrancaObjetos();
    set_display_switch_mode(SWITCH_BACKGROUND);  // a window of another program may take the focus
    std::printf("listo\n");
    std::fflush(stdout);
    const std::string que = Pantallas[n];
    if (que == "main menu") Menu->MenuPpal();
    if (que == "settings menu" || que == "credits") {
        install_int_ex(RetM, BPS_TO_TIMER(100));  // the main menu's timer, which both run on
        if (que == "credits")
            Menu->Creditos();
        else
            Menu->MenuConfig();
    }
    if (que == "key definition") PruebaMenus::DefineTeclas(*Menu);
    if (que == "hall of fame") PruebaMenus::Records(*Menu);
    if (que == "road phase" || que == "pause box") {
        H->SetFont(FuenteJuego, PaletaJuego);
        FaseUno f(1);
        f.Inicia(0);
        if (que == "road phase")
            f.Ciclo();  // the hero stands at the top, out of the traffic's way
        else
            f.Pausar();
    }
    if (que == "ski phase") {
        H->SetFont(FuenteJuego, PaletaJuego);
        FaseDos f(0);
        for (;;) {  // run after run: the skier goes straight down and crashes now and then
            Vidas = 3;
            f.Inicia();
            f.Ciclo();
        }
    }
    if (que == "name entry") {
        Game = new Partida;
        Puntos = 5000;
        Game->GrabaRecord(0);
    }
    return 0;
}

// Processor time, user and system, of every thread of process pid, in seconds.
double CpuDe(pid_t pid)
{
    char ruta[64];
    std::snprintf(ruta, sizeof ruta, "/proc/%d/stat", static_cast<int>(pid));
    FILE* f = std::fopen(ruta, "r");
    if (f == nullptr) return -1;
    char linea[1024];
    const bool leida = std::fgets(linea, sizeof linea, f) != nullptr;
    std::fclose(f);
    const char* p = leida ? std::strrchr(linea, ')') : nullptr;
    unsigned long utime = 0, stime = 0;
    // After the command name: state, then fields 4 to 13, then utime and stime (14, 15).
    if (p == nullptr || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return -1;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The share of one core, in per cent, that screen n takes at scale k: this
// program again, asked for that screen alone, measured from outside over
// SegundosCpu seconds once it has settled, then killed. -1 when it did not start.
double CpuPantalla(int n, int k)
{
    char exe[4096];
    const ssize_t largo = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (largo <= 0) return -1;
    exe[largo] = '\0';
    int tubo[2];
    if (pipe(tubo) != 0) return -1;
    const std::string pantalla = std::to_string(n), escala = std::to_string(k);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(tubo[1], 1);
        close(tubo[0]);
        close(tubo[1]);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
        execl(exe, exe, "pantalla", pantalla.c_str(), escala.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    if (pid < 0) {
        close(tubo[0]);
        return -1;
    }
    FILE* salida = fdopen(tubo[0], "r");
    char palabra[16] = "";
    double r = -1;
    if (salida != nullptr && std::fscanf(salida, "%15s", palabra) == 1 && std::string(palabra) == "listo") {
        std::this_thread::sleep_for(std::chrono::milliseconds(AsientoMs));
        const Reloj::time_point t0 = Reloj::now();
        const double c0 = CpuDe(pid);
        std::this_thread::sleep_for(std::chrono::seconds(SegundosCpu));
        const double c1 = CpuDe(pid);
        const double s = Micros(t0, Reloj::now()) / 1e6;
        if (c0 >= 0 && c1 >= 0) r = 100.0 * (c1 - c0) / s;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (salida != nullptr)
        std::fclose(salida);
    else
        close(tubo[0]);
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "pantalla") {
        const int n = std::atoi(argv[2]), k = std::atoi(argv[3]);
        return n >= 0 && n < NumPantallas && k >= 1 ? CorrePantalla(n, k) : 1;
    }
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
    Atras = create_bitmap_ex(16, Hardware::AnchoPantalla + 2 * Hardware::Margen,
                             Hardware::AltoPantalla + 2 * Hardware::Margen);
    Alterna("bare full-frame copy", "640x480x16, unscaled", [] {}, [] { CopiaDesnuda(); }, false);
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
    MidePresentacion();

    // Each screen's share of a core, in processes of their own in the scratch
    // directory, while this one waits.
    double cpu[NumPantallas][2];
    for (int n = 0; n < NumPantallas; n++)
        for (int k = 1; k <= 2; k++) cpu[n][k - 1] = CpuPantalla(n, k);

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

    std::printf("\nShare of one core per screen, over %d s once settled (target <= %.0f%% at 1x, <= %.0f%% at 2x):\n",
                SegundosCpu, MaxCpu[0], MaxCpu[1]);
    std::printf("%-28s %8s %8s  %s\n", "screen", "1x", "2x", "target");
    for (int n = 0; n < NumPantallas; n++) {
        bool ok = true;
        for (int k = 0; k < 2; k++) ok = ok && cpu[n][k] >= 0 && cpu[n][k] <= MaxCpu[k];
        todos = todos && ok;
        std::printf("%-28s %7.1f%% %7.1f%%  %s\n", Pantallas[n], cpu[n][0], cpu[n][1], ok ? "met" : "MISSED");
    }
    std::printf("\n%s\n", todos ? "All targets met." : "Some target MISSED (see above).");

    destroy_bitmap(Atras);
    Desarma();
    return 0;
}
