// Piezas comunes de las pruebas del cargador: el resumen del modelo cargado y
// las tablas de archivos rotos.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/zurezar3o.h"

// Todo lo que el modelo cargado tiene, como texto comparable
std::string resumenModelo();

// Un archivo roto y el mismo archivo escrito con solo lo que el cargador
// debe tomar: el roto da exactamente sus líneas de aviso y el mismo modelo y
// los mismos resultados que el equivalente, que carga sin avisos
struct casoRoto {
    const char* nombre;
    std::string roto;
    std::string equivalente;
    std::vector<std::string> lineas;  // todas las advertencias del roto, en orden
    std::function<void()> verificar = [] {};
};
void probar(const std::vector<casoRoto>& casos);

// Un archivo cuyo modelo es el que dice, con sus líneas de aviso
struct casoAviso {
    const char* nombre;
    std::string archivo;
    std::vector<std::string> lineas;  // todas las advertencias, en orden
    std::function<void()> verificar = [] {};
};
void probarAvisos(const std::vector<casoAviso>& casos);

// Nudos 10, 20 y 30 (con huecos en la numeración), barras 10 y 30; la
// rectangular va a las barras de la lista dada (sin lista, no hay
// rectangular); extra va al final
std::string modelo(const std::string& rectangular = "10 30", const std::string& extra = "");

objBarra3d& barraUsuario(int u);
objNudo3d& nudoUsuario(int u);
