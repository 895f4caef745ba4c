// One of the player's files in the working directory ("zumbelo.cfg",
// "scores.his"), read and written so that neither a fault nor a hostile
// place can damage it or anything else:
// - only a regular file is read: a link, a pipe, a directory or a device in
//   its place is reported as there but unusable, and opening it never blocks;
// - a save writes a temporary file beside it, flushes it to the disk and
//   renames it over the old one, so the file holds either the old bytes or
//   the new ones, and a link in its place is replaced, never written through;
// - two copies of the game can take turns on it through a lock on the
//   directory itself (no extra file appears).
#ifndef ARCHIVO_H
#define ARCHIVO_H

#include <cstddef>
#include <string>

class Archivo {
public:
    // What Lee found.
    static const int Leido = 0;       // a regular file: its first bytes are read
    static const int Falta = 1;       // nothing of that name: the file may be made
    static const int Inservible = 2;  // something is there that cannot be read as a file

    explicit Archivo(const char* nombre);
    ~Archivo();  // releases the lock, if taken
    Archivo(const Archivo&) = delete;
    Archivo& operator=(const Archivo&) = delete;

    // Reads up to maximo bytes from the start of the file into bytes and
    // their count into leidos (0 unless Leido).
    int Lee(unsigned char* bytes, size_t maximo, size_t& leidos);
    // Puts the bytes in place of the file as a whole: 0 done, 1 failed, and
    // then the old file (or its absence) stands and no temporary file stays.
    int Graba(const unsigned char* bytes, size_t largo);
    // Waits for the lock on the file's directory, held until Desbloquea or
    // the end of this object: 0 taken, 1 the directory cannot be locked.
    int Bloquea();
    void Desbloquea();

private:
    std::string nombre;
    std::string directorio;  // "." for a bare name
    std::string base;        // the name without its directory
    int cerrojo;             // the locked directory, -1 when not locked
};

#endif
