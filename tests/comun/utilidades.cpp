#include "comun/utilidades.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"

namespace {

// Con TRESNAL_CORPUS, cada archivo distinto que una prueba escribe queda
// también en esa carpeta como Suite_Prueba_NN.txt (NN cuenta los archivos de
// la prueba): así se genera el corpus del fuzzer (fuzz/generar_corpus.sh).
// Los de más de 4096 bytes no: el fuzzer no lee entradas más largas.
void copiarAlCorpus(const std::string& contenido)
{
    const char* carpeta = std::getenv("TRESNAL_CORPUS");
    const testing::TestInfo* prueba = testing::UnitTest::GetInstance()->current_test_info();
    if (!carpeta || !prueba) {
        return;
    }
    const size_t largoMaximo = 4096;
    static std::string actual;
    static int cuenta = 0;
    static std::set<std::string> escritos;
    std::string nombre = std::string(prueba->test_suite_name()) + "_" + prueba->name();
    if (nombre != actual) {
        actual = nombre;
        cuenta = 0;
        escritos.clear();
    }
    cuenta++;
    if (contenido.size() > largoMaximo || !escritos.insert(contenido).second) {
        return;
    }
    char numero[16];
    std::snprintf(numero, sizeof numero, "_%02d.txt", cuenta);
    std::ofstream archivo(std::string(carpeta) + "/" + nombre + numero, std::ios::binary);
    archivo << contenido;
}

}  // namespace

std::string archivoTemporal(const std::string& contenido, const std::string& sufijo)
{
    copiarAlCorpus(contenido);
    std::string plantilla = "/tmp/tresnalXXXXXX" + sufijo;
    std::string ruta = plantilla;
    int fd = mkstemps(&ruta[0], static_cast<int>(sufijo.size()));
    if (fd < 0) {
        ADD_FAILURE() << "no se pudo crear un archivo temporal";
        return "";
    }
    close(fd);
    std::ofstream archivo(ruta, std::ios::binary);
    archivo << contenido;
    return ruta;
}

std::string capturarSalida(const std::function<void()>& f)
{
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

std::string leerArchivo(const std::string& ruta)
{
    std::ifstream archivo(ruta, std::ios::binary);
    std::stringstream contenido;
    contenido << archivo.rdbuf();
    return contenido.str();
}

bool cargarYResolver(const std::string& archivo)
{
    reiniciarModelo();
    nombreArchivo = std::string(DIR_EJEMPLOS) + "/" + archivo;
    bool resuelto = false;
    capturarSalida([&] {
        funcionLeerArchivo();
        resuelto = funcionSolve();
    });
    return resuelto;
}

std::vector<std::string> lineasDe(const std::string& texto)
{
    std::vector<std::string> v;
    std::istringstream is(texto);
    std::string l;
    while (std::getline(is, l)) {
        v.push_back(l);
    }
    return v;
}

const std::string avisoEntero = "Advertencia: no se encontró ningún entero con etiqueta ";
const std::string avisoReal = "Advertencia: no se encontró ningún real con etiqueta ";

std::vector<std::string> avisosDe(const std::string& salida)
{
    std::vector<std::string> v;
    for (const std::string& l : lineasDe(salida)) {
        if (l.rfind("Advertencia:", 0) == 0 && l.rfind(avisoEntero, 0) != 0 &&
            l.rfind(avisoReal, 0) != 0) {
            v.push_back(l);
        }
    }
    return v;
}

std::string cargar(const std::string& contenido)
{
    reiniciarModelo();
    nombreArchivo = archivoTemporal(contenido);
    std::string salida = capturarSalida([] { funcionLeerArchivo(); });
    std::remove(nombreArchivo.c_str());
    return salida;
}
