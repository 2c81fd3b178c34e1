// Lector de etiquetas: casos borde sobre archivos pequeños.
#include <cstdio>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "comun/utilidades.h"
#include "input/claseLeerArchivo.h"

namespace
{

std::string unir(const std::vector<double>& v)
{
    std::ostringstream os;
    for (size_t i = 0; i < v.size(); i++) {
        os << (i ? " " : "") << v[i];
    }
    return os.str();
}

std::string unir(const std::vector<std::string>& v)
{
    std::string s;
    for (size_t i = 0; i < v.size(); i++) {
        s += (i ? " " : "") + v[i];
    }
    return s;
}

// "filas x columnas: valores fila por fila"
std::string unir(const MatrixXd& m)
{
    std::ostringstream os;
    os << m.rows() << "x" << m.cols() << ":";
    for (Eigen::Index i = 0; i < m.rows(); i++) {
        for (Eigen::Index j = 0; j < m.cols(); j++) {
            os << " " << m(i, j);
        }
    }
    return os.str();
}

// Resultados de varias consultas separados por "|"; una lista entre llaves
// se evalúa de izquierda a derecha, así las consultas corren en orden
std::string junto(std::initializer_list<std::string> partes)
{
    std::string s;
    bool primera = true;
    for (const std::string& p : partes) {
        s += (primera ? "" : "|") + p;
        primera = false;
    }
    return s;
}

struct casoLector {
    const char* nombre;
    std::string contenido;
    std::function<std::string(claseLeerArchivo&)> consulta;
    std::string resultado;
    std::string salida; // lo que escribe la consulta
};

} // namespace

TEST(Lector, CasosBorde)
{
    using L = claseLeerArchivo;
    const std::string combosAlFinal = "combo: C0 1 X\ncombo:\nC1 1.2 D\n1.6 2";
    const std::vector<casoLector> casos = {
        // etiquetas: token entero, sensible a mayúsculas
        {"etiqueta con otra mayúscula, espacio o valor pegado",
         "Nudos: 1 0 0 0\nnudos : 2 0 0 0\nnudos:3 0 0 0\n",
         [](L& l) {
             return junto(
                 {std::to_string(l.getNoEtiquetas("nudos:")), unir(l.getMatriz("nudos:", 4))});
         },
         "0|0x4:", ""},
        {"etiqueta dentro de otro bloque también cuenta", "combo: nudos: 1 D\nnudos: 4\n",
         [](L& l) {
             return junto({std::to_string(l.getNoEtiquetas("nudos:")), l.getString("nudos:", 2)});
         },
         "2|4", ""},
        // corridas numéricas
        {"corrida a través de líneas", "nudos:\n1 0 0\n0\n2 6 0 0\nbarras: 1 1 2\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "2x4: 1 0 0 0 2 6 0 0", ""},
        {"número suelto tras la última fila: tabla rechazada", "nudos:\n1 0 0 0\n2 6 0 0\n7\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); },
         "0x0:", "Faltan datos para completar la matriz nudos:\n"},
        {"exponente en mayúscula corta la corrida", "nudos: 1 0 0 0 2 2.1E5 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); },
         "0x0:", "Faltan datos para completar la matriz nudos:\n"},
        {"exponente en mayúscula en el borde de una fila", "nudos: 1 0 0 0 2.1E5 0 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "1x4: 1 0 0 0", ""},
        {"etiqueta seguida de una palabra", "nudos: a 1 0 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "0x4:", ""},
        {"conversión del comienzo del token", "x: 2.5e3 1-2 3.7 -.5 +4 1e-400\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("x:", 1, 0)); }, "2500 1 3.7 -0.5 4 0",
         ""},
        {"corrida con saltos y n-ésima aparición", "b: N1 1 2 b: N2 3 4 5 fin: 6\n",
         [](L& l) {
             return junto({unir(l.getMatrizEtiquetaRepetida("b:", 2, 1)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 3, 0)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 1, 20))});
         },
         "3 4 5||", ""},
        {"primera tabla cuando la etiqueta se repite", "nudos: 1 0 0 0\nnudos: 2 0 0 0 3 0 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "1x4: 1 0 0 0",
         "Advertencia: la etiqueta nudos: aparece 2 veces; se usa la primera tabla\n"},
        // tokens numéricos sin número al comienzo
        {"signo suelto en una tabla", "nudos: 1 0 0 0 2 - 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "0x4:",
         "Advertencia: el valor - después de la etiqueta nudos: no es un número válido; "
         "se descarta la tabla\n"},
        {"punto suelto en un bloque", "apoyo: 1 1 . 0 0 0 4\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0)); }, "",
         "Advertencia: el valor . después de la etiqueta apoyo: no es un número válido; "
         "se descarta el bloque\n"},
        {"número que no cabe en un double", "x: 1 1e999\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("x:", 1, 0)); }, "",
         "Advertencia: el valor 1e999 después de la etiqueta x: no es un número válido; "
         "se descarta el bloque\n"},
        // valores sueltos
        {"exponente en mayúscula tras una etiqueta de valor", "escalaN: 2.1E5\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "210000.000000", ""},
        {"entero truncado y última aparición", "precision: 3.7\nprecision: 5.9 x\n",
         [](L& l) { return std::to_string(l.getEntero("precision:")); }, "5", ""},
        {"real: última aparición", "escalaN: 0.5\nescalaN: 0.2\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "0.200000", ""},
        {"-1 del archivo sin advertencia", "precision: -1\n",
         [](L& l) { return std::to_string(l.getEntero("precision:")); }, "-1", ""},
        {"palabra tras precision:", "precision: dos\n",
         [](L& l) { return std::to_string(l.getEntero("precision:")); }, "-1",
         "Advertencia: el valor dos de la etiqueta precision: no es un entero válido\n"},
        {"entero fuera del rango de int", "precision: 99999999999\n",
         [](L& l) { return std::to_string(l.getEntero("precision:")); }, "-1",
         "Advertencia: el valor 99999999999 de la etiqueta precision: no es un entero válido\n"},
        {"signo suelto tras una escala", "escalaN: -\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "-1.000000",
         "Advertencia: el valor - de la etiqueta escalaN: no es un real válido\n"},
        {"escala infinita", "escalaN: inf\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "-1.000000",
         "Advertencia: el valor inf de la etiqueta escalaN: no es un real válido\n"},
        {"etiqueta de valor como último token", "escalaN:",
         [](L& l) {
             return junto(
                 {std::to_string(l.getReal("escalaN:")), std::to_string(l.getEntero("escalaN:"))});
         },
         "-1.000000|-1",
         "Advertencia: falta el valor de la etiqueta escalaN:\n"
         "Advertencia: falta el valor de la etiqueta escalaN:\n"},
        // getString: límites
        {"getString: n = 0, n mayor, etiqueta final, valor numérico",
         "pesoPropio: 25\npesoPropio:",
         [](L& l) {
             return junto({l.getString("pesoPropio:", 0), l.getString("pesoPropio:", 1),
                           l.getString("pesoPropio:", 2), l.getString("pesoPropio:", 3)});
         },
         "|25||", ""},
        {"etiqueta como último token", "apoyo: 1 1 1 1 1 1 2\ncombo:",
         [](L& l) {
             return junto({std::to_string(l.getNoEtiquetas("combo:")), l.getString("combo:", 1),
                           unir(l.getMatrizEtiquetaRepetida("combo:", 1, 0)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getNombresDeFactores("combo:", 1, 1))});
         },
         "1||||", ""},
        // listas de factores
        {"combo al final con caso numérico: factores", combosAlFinal,
         [](L& l) { return unir(l.getFactoresEtiqueta("combo:", 2, 1)); }, "1.2 1.6", ""},
        {"combo al final con caso numérico: casos", combosAlFinal,
         [](L& l) { return unir(l.getNombresDeFactores("combo:", 2, 1)); }, "D 2", ""},
        {"la lista termina en la siguiente etiqueta", "combo: A 1 D 2 L combo: B 1 D\n",
         [](L& l) {
             return junto({unir(l.getNombresDeFactores("combo:", 1, 1)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1))});
         },
         "D L|1 2", ""},
        {"factor final sin caso", "combo: A 1.2 D 1.6",
         [](L& l) {
             return junto({unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getNombresDeFactores("combo:", 1, 1))});
         },
         "1.2|D",
         "Advertencia: el factor 1.6 al final de la etiqueta combo: no tiene caso; se omite\n"},
        {"factor sin número: lista descartada", "combo: A 1.2 D e L\n",
         [](L& l) {
             return junto({unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getNombresDeFactores("combo:", 1, 1))});
         },
         "|",
         "Advertencia: el factor e después de la etiqueta combo: no es un número válido; "
         "se descarta la lista\n"},
        // archivos vacíos
        {"archivo vacío", "",
         [](L& l) {
             return junto({std::to_string(l.getNoEtiquetas("nudos:")),
                           std::to_string(l.getEntero("precision:")),
                           std::to_string(l.getReal("escalaN:")), unir(l.getMatriz("nudos:", 4)),
                           l.getString("combo:", 1),
                           unir(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1))});
         },
         "0|-1|-1.000000|0x4:|||", avisoEntero + "precision:\n" + avisoReal + "escalaN:\n"},
        {"solo espacios", " \n\t\r\n\v\f  ",
         [](L& l) {
             return junto(
                 {std::to_string(l.getNoEtiquetas("nudos:")), unir(l.getMatriz("barras:", 3))});
         },
         "0|0x3:", ""},
        {"espacios de toda clase separan tokens", "nudos:\t1\r\n0\v0\f0",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "1x4: 1 0 0 0", ""},
        // token j-ésimo tras una aparición: el que termina una corrida
        {"token tras una aparición", "b: N1 1 2 x b: N2 3\n",
         [](L& l) {
             return junto({l.getTokenTras("b:", 1, 1), l.getTokenTras("b:", 1, 4),
                           l.getTokenTras("b:", 2, 2), l.getTokenTras("b:", 2, 3),
                           l.getTokenTras("b:", 1, 0), l.getTokenTras("b:", 3, 1),
                           l.getTokenTras("x", 1, 1)});
         },
         "N1|x|3||||b:", ""},
        {"tokens con dos puntos, distintos y en orden", "b: 1 Nudos: x b: nudos:x a: Nudos:\n",
         [](L& l) { return unir(l.getTokensConDosPuntos()); }, "b: Nudos: a:", ""},
    };
    for (const casoLector& c : casos) {
        claseLeerArchivo lector;
        std::string ruta = archivoTemporal(c.contenido);
        lector.setNombreArchivo(ruta);
        std::string resultado;
        std::string salida = capturarSalida([&] { resultado = c.consulta(lector); });
        EXPECT_EQ(resultado, c.resultado) << c.nombre;
        EXPECT_EQ(salida, c.salida) << c.nombre;
        // sin salto de línea final se lee igual
        if (!c.contenido.empty() && c.contenido.back() == '\n') {
            std::string sinFinal = archivoTemporal(c.contenido.substr(0, c.contenido.size() - 1));
            lector.setNombreArchivo(sinFinal);
            std::string otro;
            capturarSalida([&] { otro = c.consulta(lector); });
            EXPECT_EQ(otro, c.resultado) << c.nombre << " (sin salto final)";
            std::remove(sinFinal.c_str());
        }
        std::remove(ruta.c_str());
    }
}

TEST(Lector, TokenNumerico)
{
    claseLeerArchivo lector;
    for (const char* t : {"3", "-0.25", "2.1e5", "1-2", "e", "-", ".", "", "+1e-3"}) {
        EXPECT_TRUE(lector.esNumero(t)) << t;
    }
    for (const char* t : {"2.1E5", "1,5", "inf", "nan", "abc", "0x10", "nudos:", "1 2"}) {
        EXPECT_FALSE(lector.esNumero(t)) << t;
    }
}

TEST(Lector, ArchivoInexistenteSeLeeVacioYEnSilencio)
{
    claseLeerArchivo lector;
    lector.setNombreArchivo("/tmp/no-existe-este-archivo-de-entrada.txt");
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0);
        EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 0);
        EXPECT_EQ(lector.getString("combo:", 1), "");
        EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("apoyo:", 1, 0).empty());
    });
    EXPECT_EQ(salida, "");
}

// Cada carga lee el archivo una vez: lo que cambia después no se mezcla con
// lo leído, y un lector nuevo (la carga siguiente) lee el archivo nuevo
TEST(Lector, UnaLecturaPorCarga)
{
    std::string ruta = archivoTemporal("escalaN: 0.5\nnudos: 1 0 0 0\n");
    claseLeerArchivo lector;
    lector.setNombreArchivo(ruta);
    EXPECT_EQ(lector.getReal("escalaN:"), 0.5);
    // editado después de la primera consulta
    {
        FILE* f = std::fopen(ruta.c_str(), "w");
        std::fputs("escalaN: 0.25\nnudos: 1 0 0 0 2 1 0 0\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(lector.getReal("escalaN:"), 0.5);
    EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 1);
    claseLeerArchivo siguiente;
    siguiente.setNombreArchivo(ruta);
    EXPECT_EQ(siguiente.getMatriz("nudos:", 4).rows(), 2);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 0.25);
    // reemplazado por otro archivo: el mismo lector con el nombre otra vez lo lee de nuevo
    std::string otro = archivoTemporal("escalaN: 4\n");
    ASSERT_EQ(std::rename(otro.c_str(), ruta.c_str()), 0);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 0.25);
    siguiente.setNombreArchivo(ruta);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 4);
    EXPECT_EQ(siguiente.getNoEtiquetas("nudos:"), 0);
    std::remove(ruta.c_str());
}

TEST(Lector, MarcaDeOrdenYBytesNulos)
{
    // la marca UTF-8 del comienzo no es parte del primer token; más adelante sí
    std::string ruta = archivoTemporal("\xEF\xBB\xBFnudos: 1 0 0 0\n\xEF\xBB\xBF" "barras: 1 1 1\n");
    claseLeerArchivo lector;
    lector.setNombreArchivo(ruta);
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 1);
        EXPECT_EQ(lector.getNoEtiquetas("barras:"), 0);
        EXPECT_TRUE(lector.getArchivoLegible());
    });
    EXPECT_EQ(salida, "");
    std::remove(ruta.c_str());
    // UTF-16: una sola línea en la primera consulta, y se lee vacío
    const char utf16[] = "\xFF\xFEn\0u\0d\0o\0s\0:\0 \0" "1\0";
    ruta = archivoTemporal(std::string(utf16, sizeof utf16 - 1));
    lector.setNombreArchivo(ruta);
    salida = capturarSalida([&] {
        EXPECT_TRUE(lector.getArchivoLegible());
        EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0);
        EXPECT_EQ(lector.getString("n", 1), "");
    });
    EXPECT_EQ(salida, "Advertencia: el archivo " + ruta +
                          " no es un archivo de texto plano (tiene bytes nulos); se lee como un "
                          "archivo vacío\n");
    std::remove(ruta.c_str());
}
