// The rules both play phases apply to the game in progress: the money bonus
// that the score earns, and the status line at the top of the screen.
#ifndef REGLAS_H
#define REGLAS_H

#include <cstddef>
#include <cstdint>

#include "Mensajes.h"

// A game starts with this much money; a new pair of skis survives this many crashes.
const int32_t DineroInicial = 40;
const int32_t VidasEsquis = 3;
// Every so many points pay so many dollars.
const int32_t PuntosPremio = 1000;
const int32_t DineroPremio = 10;

// The status line holds three texts of the message table, three 32-bit
// numbers of up to 11 characters, 21 blanks and the end mark.
const int LargoMarcador = 3 * LargoMensaje + 3 * 11 + 21 + 1;

// When the score has reached ProximaVida: the bonus paid, the next one due
// PuntosPremio points on, and its jingle.
void PagaPremio();

// The status line (money, score, best score) in the current language.
void EscribeMarcador(char* linea, size_t largo);

// The status band repainted from the background, and the line written centred on it.
void DibujaMarcador();

#endif
