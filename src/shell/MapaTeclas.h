// The player's six keys and their file "zumbelo.keys", beside the settings.
// Seven bytes: 'T', then the scan code of the key of each action, one byte
// each, in the actions' order (up, down, left, right, select, pause). The
// display object holds the keys in play; this reads them at start-up and
// saves them when they change. A file that is missing, cannot be read, or is
// not exactly that with six usable keys gives nothing, and the game plays
// with the default keys: never with an action that no key gives.
#ifndef MAPATECLAS_H
#define MAPATECLAS_H

class MapaTeclas {
public:
    static const int Acciones = 6;
    // The library's scan codes a key may have; 0 is "no key".
    static const int PrimerCodigo = 1;
    static const int UltimoCodigo = 126;

    // The keys stored, into teclas: 0 done; 1, with teclas untouched, when
    // the file is missing, unreadable or damaged (it is then left as it is).
    static int Lee(int teclas[Acciones]);
    // Puts the keys in place of the file as a whole: 0 done; 1 when they are
    // not usable (nothing is written) or the save failed, and then the old
    // file stands.
    static int Graba(const int teclas[Acciones]);
    // Every action has a key, a scan code of the library's, and no key
    // serves two actions.
    static bool Validas(const int teclas[Acciones]);
};

#endif
