// The game's shared state: the long-lived objects, the values of the game in
// progress and the tick counters that pace every animated screen.
#ifndef GLOBALES_H
#define GLOBALES_H

#include <cstdint>

class Configuracion;
class Hardware;
class Sonido;
class SprManager;
class Mensajes;
class Menus;
class HiScore;
class Partida;

// Results of the screens and phases and of the main menu.
enum Resultado {
    Sigue = 0,        // still running
    Logrado = 1,      // go on: a game to start, the top of the road reached, a run completed
    Perdido = -1,     // lost: money below zero, or the last life of the skis gone
    Abandono = -127   // given up from the pause box, or Exit from the main menu
};

// The exit status when no screen can be set or the datafile cannot be loaded.
const int32_t RetornoFallo = 1;

// Long-lived objects, made with new by the entry and reached through these.
extern Configuracion* Config;
extern Hardware* H;
extern Sonido* SFX;
extern SprManager* M;
extern Mensajes* SMS;
extern Menus* Menu;
extern HiScore* Record;
extern Partida* Game;

// Values of the game in progress.
extern int32_t Dinero;       // money, in dollars
extern int32_t Puntos;       // score
extern int32_t Vidas;        // crashes the current pair of skis still survives
extern int32_t ProximaVida;  // score at which the next 10-dollar bonus is due
extern int32_t Nivel;        // level, from 0
extern int32_t ResMenu;      // last main-menu result: Logrado play, Abandono quit
extern int32_t Retorno;      // the process exit status

// Tick counters, each advanced by its timer callback and owned by the module
// of the screen that installs it.
extern volatile uint32_t CiclosTempF1;     // road phase (FaseUno)
extern volatile uint32_t CiclosTempF2;     // ski phase (FaseDos)
extern volatile uint32_t CiclosTempMenu;   // menus and credits (Menus)
extern volatile uint32_t CiclosTempPause;  // pause overlay (Pause)

void Ret1();
void Ret2();
void RetM();
void RetP();

#endif
