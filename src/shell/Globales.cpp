#include "Globales.h"

Configuracion* Config = nullptr;
Hardware* H = nullptr;
Sonido* SFX = nullptr;
SprManager* M = nullptr;
Mensajes* SMS = nullptr;
Menus* Menu = nullptr;
HiScore* Record = nullptr;
Partida* Game = nullptr;

int32_t Dinero = 0;
int32_t Puntos = 0;
int32_t Vidas = 0;
int32_t ProximaVida = 0;
int32_t Nivel = 0;
int32_t ResMenu = 0;
int32_t Retorno = 0;
