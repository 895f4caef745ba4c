// Every text the game shows, in Spanish and English, fetched by id.
#ifndef MENSAJES_H
#define MENSAJES_H

class Mensajes {
public:
    Mensajes();
    ~Mensajes();

    const char* Leer(int id);

private:
    char** textosEs;
    char** textosEn;
    int cuantos;  // number of ids, 80
    int largo;    // size of one text buffer, 63
    int idioma;
};

#endif
