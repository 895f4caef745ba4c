// The game's start-up and shut-down in their one order, shared by the entry,
// the tests and the benchmark: the settings, the display with its screen
// and datafile, then sound, sprite sheet, messages, menus and hall of fame.
#ifndef ARRANQUE_H
#define ARRANQUE_H

// The stages of start-up, in their order.
enum EtapaArranque {
    EtapaAjustes,  // the settings (Config) and the display object (H) made
    EtapaVentana,  // the screen opened
    EtapaDatos,    // datos.dat checked and loaded, the buffers made
    EtapaSonido,   // the sound object (SFX), with its own copy of the datafile
    EtapaObjetos,  // the sprite sheet, the messages, the menus and the hall of fame made
    EtapaHoja,     // the sprite sheet cut
    EtapasArranque
};

// Called after each stage, when given: the benchmark times the stages.
typedef void (*TrasEtapa)(int etapa);

// Settings, display, screen and datafile. False when the screen or the
// datafile could not be set up: the message has been shown, and nothing
// else may be made.
bool ArrancaPantalla(TrasEtapa tras = nullptr);

// The other long-lived objects, then the sheet cut; after ArrancaPantalla succeeded.
void ArrancaObjetos(TrasEtapa tras = nullptr);

// Deletes every long-lived object that exists, in the shut-down order, and
// clears its pointer.
void Apaga();

#endif
