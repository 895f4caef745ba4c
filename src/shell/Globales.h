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
extern int32_t ResMenu;      // last main-menu result: 1 play, -127 quit
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
