// Utilidades de las pruebas: archivos temporales y captura de la salida.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/zurezar3o.h"

// Escribe el contenido en un archivo temporal nuevo y devuelve su ruta.
std::string archivoTemporal(const std::string& contenido, const std::string& sufijo = ".txt");

// Ejecuta f y devuelve lo que escribió en la salida estándar.
std::string capturarSalida(const std::function<void()>& f);

// Las líneas de un texto, sin sus fines de línea.
std::vector<std::string> lineasDe(const std::string& texto);

// Comienzos de las líneas del cargador por un ajuste de dibujo ausente.
extern const std::string avisoEntero;
extern const std::string avisoReal;

// Las líneas de advertencia de una salida, salvo las de ajustes ausentes.
std::vector<std::string> avisosDe(const std::string& salida);

// Lee un archivo completo.
std::string leerArchivo(const std::string& ruta);

// Carga el contenido desde un archivo temporal (que después borra) y
// devuelve lo que el cargador escribió.
std::string cargar(const std::string& contenido);

// Carga un archivo de ejemplos/ y lo analiza, sin escribir nada; true si
// el análisis dio resultados.
bool cargarYResolver(const std::string& archivo);
