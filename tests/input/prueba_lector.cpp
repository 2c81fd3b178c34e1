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
        {"números enteros de la corrida", "x: 2.5e3 3.7 -.5 +4 1e-400 5.\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("x:", 1, 0)); }, "2500 3.7 -0.5 4 0 5",
         ""},
        // caracteres de número que la conversión no usa enteros: no es un número
        {"2.5e, 1-2, 1..6 y 5- cortan la corrida", "x: 1 2.5e 3\ny: 4 1-2 5\nz: 6 1..6 7\nw: 8 5- 9\n",
         [](L& l) {
             return junto({unir(l.getMatrizEtiquetaRepetida("x:", 1, 0)),
                           unir(l.getMatrizEtiquetaRepetida("y:", 1, 0)),
                           unir(l.getMatrizEtiquetaRepetida("z:", 1, 0)),
                           unir(l.getMatrizEtiquetaRepetida("w:", 1, 0))});
         },
         "1|4|6|8", ""},
        {"corrida con saltos y n-ésima aparición", "b: N1 1 2 b: N2 3 4 5 fin: 6\n",
         [](L& l) {
             return junto({unir(l.getMatrizEtiquetaRepetida("b:", 2, 1)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 3, 0)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 1, 20))});
         },
         "3 4 5||", ""},
        {"primera tabla cuando la etiqueta se repite", "nudos: 1 0 0 0\nnudos: 2 0 0 0 3 0 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "1x4: 1 0 0 0",
         "Advertencia: la etiqueta nudos: aparece 2 veces (líneas 1 y 2); se usa la primera tabla\n"},
        // tokens numéricos sin número al comienzo
        {"signo suelto en una tabla: la corta", "nudos: 1 0 0 0 2 - 0 0\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "0x0:",
         "Faltan datos para completar la matriz nudos:\n"},
        {"punto suelto en un bloque: lo corta", "apoyo: 1 1 . 0 0 0 4\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0)); }, "1 1", ""},
        {"número que no cabe en un double: corta", "x: 1 1e999 2\n",
         [](L& l) { return unir(l.getMatrizEtiquetaRepetida("x:", 1, 0)); }, "1", ""},
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
         "Advertencia: el valor dos (línea 1) de la etiqueta precision: no es un entero válido\n"},
        {"entero fuera del rango de int", "precision: 99999999999\n",
         [](L& l) { return std::to_string(l.getEntero("precision:")); }, "-1",
         "Advertencia: el valor 99999999999 (línea 1) de la etiqueta precision: no es un entero "
         "válido\n"},
        {"signo suelto tras una escala", "escalaN: -\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "-1.000000",
         "Advertencia: el valor - (línea 1) de la etiqueta escalaN: no es un real válido\n"},
        {"escala infinita", "escalaN: inf\n",
         [](L& l) { return std::to_string(l.getReal("escalaN:")); }, "-1.000000",
         "Advertencia: el valor inf (línea 1) de la etiqueta escalaN: no es un real válido\n"},
        {"real con restos tras el número", "escalaN: 2.5e\nescalaT: 0.5abc\n",
         [](L& l) {
             return junto(
                 {std::to_string(l.getReal("escalaN:")), std::to_string(l.getReal("escalaT:"))});
         },
         "-1.000000|-1.000000",
         "Advertencia: el valor 2.5e (línea 1) de la etiqueta escalaN: no es un real válido\n"
         "Advertencia: el valor 0.5abc (línea 2) de la etiqueta escalaT: no es un real válido\n"},
        {"etiqueta de valor como último token", "escalaN:",
         [](L& l) {
             return junto(
                 {std::to_string(l.getReal("escalaN:")), std::to_string(l.getEntero("escalaN:"))});
         },
         "-1.000000|-1",
         "Advertencia: falta el valor de la etiqueta escalaN: (línea 1)\n"
         "Advertencia: falta el valor de la etiqueta escalaN: (línea 1)\n"},
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
         "Advertencia: el factor 1.6 (línea 1) al final de la etiqueta combo: no tiene caso; se "
         "omite\n"},
        {"factor que no es un número termina la lista", "combo: A 1.2 D e L\ncombo: B 1 D 1..6 L\n",
         [](L& l) {
             return junto({unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getNombresDeFactores("combo:", 1, 1)),
                           unir(l.getFactoresEtiqueta("combo:", 2, 1))});
         },
         "1.2|D|1", ""},
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

// La corrida dice dónde y por qué terminó, y la línea de cada token
TEST(Lector, CorridaConSuFinYSusLineas)
{
    std::string ruta = archivoTemporal("b: N1 1\n2 x b: N2\r\n3\rc: A 1 D\n2 L c: B 1.5\n");
    claseLeerArchivo l;
    l.setNombreArchivo(ruta);
    struct esperada {
        const char* etiqueta;
        int n;
        claseCorrida clase;
        std::string valores, palabras, fin;
        finCorrida motivo;
        std::vector<int> lineas;  // de cada valor
    };
    using C = claseCorrida;
    for (const esperada& e : {
             esperada{"b:", 1, C::numeros, "1 2", "", "x", finCorrida::ajeno, {1, 2}},
             esperada{"b:", 2, C::numeros, "3", "", "c:", finCorrida::dosPuntos, {3}},
             esperada{"c:", 1, C::pares, "1 2", "D L", "c:", finCorrida::dosPuntos, {4, 5}},
             esperada{"c:", 2, C::pares, "", "", "1.5", finCorrida::sinPalabra, {}},
             esperada{"c:", 3, C::pares, "", "", "", finCorrida::archivo, {}},
         }) {
        SCOPED_TRACE(std::string(e.etiqueta) + " " + std::to_string(e.n));
        corridaLeida r = l.getCorrida(e.etiqueta, e.n, 1, e.clase);
        EXPECT_EQ(unir(r.valores), e.valores);
        EXPECT_EQ(unir(r.palabras), e.palabras);
        EXPECT_EQ(r.motivo, e.motivo);
        EXPECT_EQ(r.fin < l.getCantidadDeTokens() ? l.getTexto(r.fin) : "", e.fin);
        std::vector<int> lineas;
        for (size_t i = 0; i < r.valores.size(); i++) {
            lineas.push_back(l.getLinea(r.tokenValor(i)));
        }
        EXPECT_EQ(lineas, e.lineas);
    }
    // lo entregado queda leído; x y lo que no pidió ninguna consulta, sin leer
    std::string sinLeer;
    for (size_t i = 0; i < l.getCantidadDeTokens(); i++) {
        if (l.getEstado(i) == estadoToken::sinLeer) {
            sinLeer += l.getTexto(i) + " ";
        }
    }
    EXPECT_EQ(sinLeer, "x 1.5 ");
    std::remove(ruta.c_str());

    // citas cortas, sin caracteres de control, y las líneas de un aviso
    std::string largo(100, 'a');
    EXPECT_EQ(claseLeerArchivo::citar(largo), std::string(40, 'a') + "…");
    EXPECT_EQ(claseLeerArchivo::citar(std::string(39, 'a') + "ñ"), std::string(39, 'a') + "…");
    EXPECT_EQ(claseLeerArchivo::citar("a\tb\x01"), "a?b?");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3}), "línea 3");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3, 3}), "línea 3");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3, 7}), "líneas 3 y 7");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({1, 2, 3, 4, 5, 6}), "líneas 1, 2, 3, 4, 5 y 6");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({1, 2, 3, 4, 5, 6, 7}), "líneas 1, 2, 3, 4, 5 y 2 más");
    // un espacio no separable se dice
    ruta = archivoTemporal("nudos:\n1\xC2\xA0" "0 0 0\n");
    l.setNombreArchivo(ruta);
    corridaLeida r = l.getCorrida("nudos:", 1, 0, claseCorrida::numeros);
    EXPECT_TRUE(r.valores.empty());
    EXPECT_EQ(l.describir(r.fin), "1\xC2\xA0" "0 (línea 2, con un espacio no separable (U+00A0))");
    std::remove(ruta.c_str());
}
