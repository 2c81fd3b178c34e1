// Reescrituras de un archivo de entrada válido: el mismo modelo escrito como
// lo escriben los usuarios y los programas (tabuladores, fines de línea de
// Windows o de Mac, marca de orden, bloques en otro orden, un número por
// línea, listas cortadas, 1.0e0, +1, .5, 3.0 como número de nudo...). Cada
// reescritura debe cargar sin ninguna línea nueva y dar el mismo modelo y los
// mismos resultados, bit a bit.
#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>

// Un bloque del archivo: su etiqueta y sus tokens, ya repartidos
struct bloqueArchivo {
    enum class clase { tabla, lista, pesoPropio, combo, ajuste };
    std::string etiqueta;
    clase tipo = clase::lista;
    std::string nombre;               // bloques con nombre, peso propio y combos
    std::vector<std::string> fijos;   // los K valores fijos; la tabla entera; el valor de un ajuste
    std::vector<std::string> lista;   // números de nudos o barras
    int columnas = 0;                 // tablas
    bool conNombre() const;
};

// Parte un archivo válido en sus bloques, según la gramática del formato
std::vector<bloqueArchivo> partirEnBloques(const std::string& texto);

// El ejemplo completo del README (el bloque sangrado que sigue a "Ejemplo completo")
std::string ejemploDelReadme(const std::string& readme);

// Cómo se escribe
struct estiloEscritura {
    const char* nombre = "";
    std::string finDeLinea = "\n";
    std::string separador = " ";
    bool marcaDeOrden = false;
    bool sinSaltoFinal = false;
    bool lineasEnBlanco = true;  // una línea en blanco entre bloques
    unsigned orden = 0;          // 0 el del archivo; otro: semilla de un orden mezclado
    // tablas: cortes de cada fila en líneas ({1, 3}: el número en una línea
    // y x y z en la siguiente); vacío, filas enteras de filasPorLinea filas
    // (0: toda la tabla en una línea)
    std::vector<int> corteNudos, corteBarras;
    int filasPorLinea = 1;
    bool tablaEnLineaDeEtiqueta = false;
    // bloques: nombre en su línea, valores fijos partidos en líneas
    // (corteFijos: cuántos en cada línea; vacío, todos en una), la lista
    // en la última línea de los fijos o aparte, y cortada en líneas de
    // anchoLista números (0: sin cortar)
    bool nombreAparte = false;
    std::vector<int> corteFijos;
    bool listaConFijos = false;
    bool todoEnLineaDeEtiqueta = false;
    int anchoLista = 0;
    // combos: 0 en una línea, 1 un token por línea, 2 un par por línea
    int formaCombo = 0;
    // números: 1.0e0, +1, .5, y 3.0 como número de nudo o de barra
    bool exponente = false, signoMas = false, puntoInicial = false, numeroConDecimal = false;
};

std::string escribir(const std::vector<bloqueArchivo>& bloques, const estiloEscritura& estilo);

// Las reescrituras de la tabla de pruebas: cada forma de escribir por
// separado y algunas combinadas
std::vector<estiloEscritura> estilosBasicos();
// Estilos al azar (semilla fija) que combinan todas las formas
std::vector<estiloEscritura> estilosCombinados(unsigned semilla, int cantidad);

// Lo que da cargar un archivo y calcular
struct cargaCalculada {
    std::string salida;   // toda la consola de la carga
    std::string modelo;   // resumenModelo()
    bool resuelto = false;
    std::string mensaje;  // el del análisis si no resuelve
    Eigen::MatrixXd u, reacciones;
};
cargaCalculada cargarYCalcular(const std::string& texto, bool calcular = true);

// Vacío si la reescritura carga igual que el original; si no, qué difiere
std::string diferencias(const cargaCalculada& original, const cargaCalculada& reescrita);
