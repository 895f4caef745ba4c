// The figures' codes, sizes and frame counts, shared by the sprite sheet,
// the figures themselves and the phases. Compile-time constants, never variables.
#ifndef CONSTANTES_H
#define CONSTANTES_H

// Sprite kinds (a figure's tipo): the first of the three numbers that choose
// its picture on the sheet. The six vehicles come first, in the traffic's order.
enum TipoSprite {
    TipoCamion1,     // 0: lorry, first kind
    TipoCamion2,     // 1: lorry, second kind
    TipoCoche1,      // 2: car, first kind
    TipoCoche2,      // 3: car, second kind
    TipoAmbulancia,  // 4: the ambulance, on the road and fetching the hero
    TipoMoto,        // 5: motorbike
    TipoAPie,        // 6: the hero on foot, also the pointer of the menus and the pause box
    TipoConEsquis,   // 7: the hero carrying his skis
    TipoEsquiador,   // 8: the skier
    TipoBandera,     // 9: a slalom gate
    TipoMonton,      // 10: a snow heap
    TipoPino,        // 11: a tree
    TipoChoque,      // 12: the skier's crash
    TipoMeta = 15    // the finish arch
};

// What the skier's pass over the obstacles in view hit. A hit steers the
// next step as a key would, so the first three are the numbers of the
// actions down, left and right: the finish points him straight down, a heap
// throws him to one side.
enum CodigoChoque {
    ChoqueNada = 0,
    ChoqueMeta = 1,       // through the finish
    ChoqueIzquierda = 2,  // a heap, thrown left
    ChoqueDerecha = 3,    // a heap, thrown right
    ChoquePino = 11,      // a tree
    ChoquePoste = 18      // a post of the finish arch
};

const int TotalVehiculos = 6;

// Animation frames per figure family.
const int FotogramasVehiculo = 4;
const int FotogramasZumbelo = 2;
const int FotogramasEsquiador = 1;
const int FotogramasChoque = 3;
const int FotogramasBand = 4;

// Vehicles.
const int AnchoCamion = 112, AltoCamion = 48;
const int AnchoCoche1 = 64, AltoCoche1 = 32;
const int AnchoCoche2 = 64, AltoCoche2 = 32;
const int AnchoAmbulancia = 64, AltoAmbulancia = 32;
const int AnchoMoto = 32, AltoMoto = 32;
// The same by vehicle kind, in the traffic's order: two lorries, two cars, the ambulance, the motorbike.
const int AnchoVehiculo[TotalVehiculos] = {AnchoCamion, AnchoCamion, AnchoCoche1, AnchoCoche2, AnchoAmbulancia, AnchoMoto};
const int AltoVehiculo[TotalVehiculos] = {AltoCamion, AltoCamion, AltoCoche1, AltoCoche2, AltoAmbulancia, AltoMoto};

// The hero on foot, and carrying his skis.
const int AnchoZumbelo = 32, AltoZumbelo = 32;
const int AnchoZumbeloCS = 46;
const int AnchoSki = 16;

// The skier (headings 1 to 4; heading 0 is 32 x 44).
const int AnchoEsquiador = 42, AltoEsquiador = 40;

// Slalom flags and the narrow and wide gates made of two of them.
const int AnchoBand = 14, AltoBand = 32;
const int AnchoB1 = 84, AnchoB2 = 130;

// Snow heap, tree, crashed skier.
const int AnchoMonton = 48, AltoMonton = 10;
const int AnchoPino = 48, AltoPino = 64;
const int AnchoChoque = 48, AltoChoque = 45;

// Finish arches: narrow and wide.
const int AnchoMeta = 25, AltoMeta = 112;
const int AnchoM1 = 100, AnchoM2 = 150;

// The highest course number; later levels cycle through courses 1 to 3.
const int NivelMax = 3;

#endif
